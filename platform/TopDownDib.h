// A 32-bit top-down DIB section for pictures whose pixels a program reads or writes directly (screenshots,
// the host's watermark, pixel checks) or that are selected into a memory DC at every paint (the item's stretched
// portraits): pixels as 0x00RRGGBB, row 0 first.
#pragma once
#include <windows.h>

inline HBITMAP CreateTopDownDib(HDC compatibleWith, int width, int height, void** bits) {
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    *bits = NULL;
    return CreateDIBSection(compatibleWith, &info, DIB_RGB_COLORS, bits, NULL, 0);
}
