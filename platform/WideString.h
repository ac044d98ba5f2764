// The item's text: UTF-16 units that hold their length (U+0000 inside allowed), always followed by a
// terminator. It allocates through the item's allocator and says when it could not: an assignment that fails
// leaves the string empty and answers false, and nothing ever ends the process.
#pragma once
#include <windows.h>

class WideString {
public:
    WideString() : units(NULL), length(0) {}
    ~WideString() { Clear(); }

    // Copies `count` units; false (and empty) when memory is short.
    bool Assign(const wchar_t* text, size_t count);
    bool Assign(const WideString& other) { return Assign(other.Text(), other.Length()); }
    // Empty, with its memory given back.
    void Clear();
    void Swap(WideString& other);

    // Never null: the empty string's is a terminator of its own.
    const wchar_t* Text() const { return units ? units : Empty(); }
    size_t Length() const { return length; }
    bool IsEmpty() const { return length == 0; }
    // The units themselves, for changes that keep the length (null while empty).
    wchar_t* Units() { return units; }
    bool Equals(const wchar_t* text, size_t count) const;

private:
    WideString(const WideString&);
    WideString& operator=(const WideString&);
    static const wchar_t* Empty() { return L""; }

    wchar_t* units;
    size_t length;
};
