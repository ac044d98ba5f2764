// The checks a notice's portrait path and file pass before the file is loaded on the user-interface thread.
#pragma once
#include <windows.h>

// An absolute path on the device's own storage (one leading backslash on the handheld, a drive letter on
// desktop), with no "*", "?" or colon past that root: no share of another host, no pipe, no device, no stream.
bool PortraitPathAccepted(const wchar_t* path);
// A regular file of at most PORTRAIT_FILE_MAX_BYTES whose bitmap headers give a picture no wider or taller than
// PORTRAIT_SIDE_MAX_PIXELS. Reads the headers only.
bool PortraitFileAccepted(const wchar_t* path);
