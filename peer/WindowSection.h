// A named section of the link as the main application's side opens it: paging-file backed, 1024 bytes,
// read/write, holding one 32-bit window handle at offset 0. The stand-in has this code of its own, apart
// from the item's, so that a fault in the item's section code shows up against it instead of being shared.
// The view stays mapped while the section is open.
#pragma once
#include <windows.h>
#include "../platform/ScopedHandles.h"

class WindowSection {
public:
    // Creates the section or opens the existing one. False (last error kept) when either step fails.
    bool Open(const wchar_t* name);
    void Close();
    bool IsOpen() const { return static_cast<bool>(view); }

    // The handle at offset 0; 0 while not open.
    DWORD ReadHandle() const;
    // False while not open.
    bool WriteHandle(DWORD handle);

private:
    KernelHandle mapping;
    MappedView view;
};
