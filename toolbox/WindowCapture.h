// Reading back what a window painted. Under Wine's null display driver the screen cannot be read, but a window's own
// client DC can; it includes the pixels of its child windows.
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

// Paints whatever is pending (the window and its children), then copies its client area; one that does not lie
// whole on the desktop in pieces, moving the window. Empty (no pixels) when it cannot be read.
Capture CaptureWindow(HWND window);
