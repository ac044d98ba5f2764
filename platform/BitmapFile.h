// Reading a device-independent bitmap file for our shell helper library's SHLoadDIBitmap. Every size, offset,
// bit count, palette and compression the headers claim is checked against what the file really holds before
// a pixel is read, so a broken file gives null instead of a bitmap that faults when it is drawn.
#pragma once
#include <windows.h>

// A DIB section with the file's pixels (1, 4, 8, 16, 24 or 32 bits; uncompressed or bit fields; bottom-up or
// top-down), or null when the file is missing, unreadable or does not hold what its headers claim.
HBITMAP LoadBitmapFile(LPCWSTR path);
