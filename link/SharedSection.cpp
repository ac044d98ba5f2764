#include "SharedSection.h"
#include <cstring>

bool SharedSection::Open(const wchar_t* name) {
    // Backed by the paging file; an existing section (ERROR_ALREADY_EXISTS) is used like a new one.
    HANDLE mapping = CreateFileMappingW(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, 1024, name);
    if (!mapping) return false;
    handle = mapping;
    return true;
}

// Views start at offset 0 (view offsets must be aligned to the allocation granularity) and reach just
// past the bytes touched.
bool SharedSection::Read(DWORD offset, void* destination, DWORD count) {
    if (!handle) return false;
    void* view = MapViewOfFile(handle, FILE_MAP_READ, 0, 0, offset + count);
    if (!view) return false;
    memcpy(destination, static_cast<const BYTE*>(view) + offset, count);
    UnmapViewOfFile(view);
    return true;
}

bool SharedSection::Write(DWORD offset, const void* source, DWORD count) {
    if (!handle) return false;
    void* view = MapViewOfFile(handle, FILE_MAP_WRITE, 0, 0, offset + count);
    if (!view) return false;
    memcpy(static_cast<BYTE*>(view) + offset, source, count);
    UnmapViewOfFile(view);
    return true;
}

void SharedSection::Close() {
    if (handle) CloseHandle(handle);
    handle = nullptr;
}
