#include "Sections.h"

HeldSection::HeldSection(const wchar_t* name)
    : mapping(CreateFileMappingW(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, 1024, name)) {}

HeldSection::~HeldSection() {
    if (mapping) CloseHandle(mapping);
}

DWORD HeldSection::ReadHandle() const {
    DWORD value = 0xFFFFFFFF;
    void* view = MapViewOfFile(mapping, FILE_MAP_READ, 0, 0, sizeof(value));
    if (!view) return value;
    value = *static_cast<const DWORD*>(view);
    UnmapViewOfFile(view);
    return value;
}

void HeldSection::WriteHandle(DWORD value) {
    void* view = MapViewOfFile(mapping, FILE_MAP_WRITE, 0, 0, sizeof(value));
    if (!view) return;
    *static_cast<DWORD*>(view) = value;
    UnmapViewOfFile(view);
}
