// Reads back what a window painted: UpdateWindow, then its DC copied into a DIB section.
#pragma once
#include <windows.h>
#include <vector>

struct Capture {
    int width = 0;
    int height = 0;
    std::vector<DWORD> pixels;        // 0x00RRGGBB, top-down rows
    COLORREF At(int x, int y) const;  // as a COLORREF (0x00BBGGRR); CLR_INVALID outside
    // How many pixels of a rectangle (inclusive-exclusive) have the colour.
    int Count(const RECT& area, COLORREF colour) const;
    bool Any(const RECT& area, COLORREF colour) const { return Count(area, colour) > 0; }
};

Capture CaptureWindow(HWND window);
