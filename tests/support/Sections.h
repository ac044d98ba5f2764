// The two named sections as the other side sees them: held open for the test's lifetime, so the
// section lives while the test looks at it.
#pragma once
#include <windows.h>
#include "platform/ScopedHandles.h"

class HeldSection {
public:
    explicit HeldSection(const wchar_t* name);

    DWORD ReadHandle() const;
    void WriteHandle(DWORD value);
    void WriteHandle(HWND window) { WriteHandle(static_cast<DWORD>(reinterpret_cast<UINT_PTR>(window))); }

private:
    KernelHandle mapping;
};
