// The owning, ordered list of notices with the cursor of the one on display. Cursor moves stop at both
// ends unless asked to wrap.
#pragma once
#include "MessageEntry.h"
#include <memory>
#include <vector>

class MessageList {
public:
    MessageList() = default;
    ~MessageList() { Clear(); }
    MessageList(const MessageList&) = delete;
    MessageList& operator=(const MessageList&) = delete;

    void Append(std::unique_ptr<MessageEntry> entry);
    void SortByTime();
    void Clear();
    void Next(bool wrap);
    void Previous(bool wrap);
    MessageEntry& At(int index) const;  // throws std::out_of_range "invalid vector<T> subscript"
    MessageEntry& Current() const { return At(cursor); }

    int Size() const { return static_cast<int>(entries.size()); }
    bool Empty() const { return entries.empty(); }
    int Cursor() const { return cursor; }
    bool CanGoPrevious() const { return Size() >= 2 && cursor != 0; }
    bool CanGoNext() const { return Size() >= 2 && cursor + 1 != Size(); }
    // Gives the storage back too, for teardown.
    void Release();

private:
    std::vector<std::unique_ptr<MessageEntry>> entries;
    int cursor = 0;
};
