#include "LocalFile.h"

#ifndef UNDER_CE

size_t PlatformLocalRootLength(const wchar_t* path) {
    if (!path) return 0;
    const wchar_t drive = path[0];
    const bool letter = (drive >= L'A' && drive <= L'Z') || (drive >= L'a' && drive <= L'z');
    // The desktop file functions take a forward slash for a backslash.
    return letter && path[1] == L':' && (path[2] == L'\\' || path[2] == L'/') ? 3 : 0;
}

BOOL PlatformIsDiskFile(HANDLE file) { return GetFileType(file) == FILE_TYPE_DISK; }

#endif
