#include "Sections.h"

HeldSection::HeldSection(const wchar_t* name)
    : mapping(CreateFileMappingW(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, 1024, name)) {}

DWORD HeldSection::ReadHandle() const {
    MappedView view(MapViewOfFile(mapping.get(), FILE_MAP_READ, 0, 0, sizeof(DWORD)));
    return view ? *static_cast<const DWORD*>(view.get()) : 0xFFFFFFFF;
}

void HeldSection::WriteHandle(DWORD value) {
    MappedView view(MapViewOfFile(mapping.get(), FILE_MAP_WRITE, 0, 0, sizeof(value)));
    if (view) *static_cast<DWORD*>(view.get()) = value;
}
