// One named shared-memory section, opened by name, read and written at an offset, closed.
// No view stays mapped: each access maps just the bytes it touches.
#pragma once
#include "../platform/ScopedHandles.h"

class SharedSection {
public:
    // Creates the section backed by the paging file, or opens it when it exists already.
    bool Open(const wchar_t* name);
    bool Read(DWORD offset, void* destination, DWORD count) const;
    bool Write(DWORD offset, const void* source, DWORD count);
    void Close() { handle.Reset(); }
    bool IsOpen() const { return static_cast<bool>(handle); }

private:
    KernelHandle handle;
};
