#include "SharedSection.h"
#include "../kit/LinkWire.h"
#include <cstring>

bool SharedSection::Open(const wchar_t* name) {
    // An existing section (ERROR_ALREADY_EXISTS) is used like a new one.
    HANDLE mapping = CreateFileMappingW(INVALID_HANDLE_VALUE, NULL, PAGE_READWRITE, 0, LINK_SECTION_SIZE, name);
    if (!mapping) return false;
    handle.Reset(mapping);
    return true;
}

// Views start at offset 0 (view offsets must be aligned to the allocation granularity) and reach just
// past the bytes touched.
bool SharedSection::Read(DWORD offset, void* destination, DWORD count) const {
    if (!handle) return false;
    MappedView view(MapViewOfFile(handle.get(), FILE_MAP_READ, 0, 0, offset + count));
    if (!view) return false;
    memcpy(destination, static_cast<const BYTE*>(view.get()) + offset, count);
    return true;
}

bool SharedSection::Write(DWORD offset, const void* source, DWORD count) {
    if (!handle) return false;
    MappedView view(MapViewOfFile(handle.get(), FILE_MAP_WRITE, 0, 0, offset + count));
    if (!view) return false;
    memcpy(static_cast<BYTE*>(view.get()) + offset, source, count);
    return true;
}
