#include "WindowSection.h"
#include "../kit/LinkWire.h"

bool WindowSection::Open(const wchar_t* name) {
    Close();
    mapping.Reset(CreateFileMappingW(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, LINK_SECTION_SIZE, name));
    if (mapping) view.Reset(MapViewOfFile(mapping.get(), FILE_MAP_WRITE, 0, 0, sizeof(DWORD)));
    if (view) return true;
    const DWORD error = GetLastError();
    Close();
    SetLastError(error);
    return false;
}

void WindowSection::Close() {
    view.Reset();
    mapping.Reset();
}

// The other side reads and writes the same four bytes at any time: volatile, so every access is a real one.
DWORD WindowSection::ReadHandle() const { return view ? *static_cast<const volatile DWORD*>(view.get()) : 0; }

bool WindowSection::WriteHandle(DWORD handle) {
    if (!view) return false;
    *static_cast<volatile DWORD*>(view.get()) = handle;
    return true;
}
