// What makes a path name a file on this device's own storage, where the two platforms differ. A portrait path
// comes from another program: one naming another host's share would hand that host the user's credentials, and
// one naming a pipe or a device could block the paint for good.
#pragma once
#include <windows.h>

#ifdef UNDER_CE

// The units of the local root a path starts with, 0 when it has none: one backslash, not followed by another
// (another host's share) or by "$" (the device namespaces); device names take a colon, which the caller refuses.
inline size_t PlatformLocalRootLength(const wchar_t* path) {
    return path && path[0] == L'\\' && path[1] != L'\\' && path[1] != L'$' && path[1] != L'\0' ? 1 : 0;
}
// True for a file opened on the device's storage: paths of that root name nothing else.
inline BOOL PlatformIsDiskFile(HANDLE) { return TRUE; }

#else

// The units of the local root a path starts with, 0 when it has none: a drive letter, a colon and a backslash.
size_t PlatformLocalRootLength(const wchar_t* path);
// True for a handle to a disk file: a drive path can still name a device ("C:\NUL", "C:\x\COM1").
BOOL PlatformIsDiskFile(HANDLE file);

#endif
