// A 32-bit top-down DIB section for pictures whose pixels a program reads or writes directly (screenshots,
// the host's watermark, pixel checks) or that are selected into a memory DC at every paint (the item's stretched
// portraits): pixels as 0x00RRGGBB, row 0 first.
#pragma once
#include <windows.h>

// The handheld takes a 32-bit DIB only as BI_BITFIELDS with its three colour masks (BI_RGB is refused at 16
// and 32 bits); these masks give the same pixels BI_RGB gives on desktop.
struct TopDownDibInfo {
    BITMAPINFOHEADER bmiHeader;
    DWORD masks[3];
};

inline HBITMAP CreateTopDownDib(HDC compatibleWith, int width, int height, void** bits) {
    TopDownDibInfo info = {};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_BITFIELDS;
    info.masks[0] = 0x00FF0000;
    info.masks[1] = 0x0000FF00;
    info.masks[2] = 0x000000FF;
    *bits = NULL;
    return CreateDIBSection(compatibleWith, reinterpret_cast<const BITMAPINFO*>(&info), DIB_RGB_COLORS, bits, NULL, 0);
}
