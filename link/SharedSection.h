// One named shared-memory section, opened by name, read and written at an offset, closed.
// No view stays mapped: each access maps just the bytes it touches.
#pragma once
#include <windows.h>

class SharedSection {
public:
    SharedSection() = default;
    ~SharedSection() { Close(); }
    SharedSection(const SharedSection&) = delete;
    SharedSection& operator=(const SharedSection&) = delete;

    bool Open(const wchar_t* name);
    bool Read(DWORD offset, void* destination, DWORD count);
    bool Write(DWORD offset, const void* source, DWORD count);
    void Close();
    bool IsOpen() const { return handle != nullptr; }

private:
    HANDLE handle = nullptr;
};
