// The Today screen's background image: a gentle vertical gradient with a diagonal pattern and a faint ring,
// rendered once per screen size. Items draw it behind themselves through TODAYM_DRAWWATERMARK, so the host
// hands out the part that lies behind the asking window and the picture runs on unbroken across items.
#pragma once
#include <windows.h>
#include "ColorScheme.h"
#include "platform/ScopedHandles.h"

class Watermark {
public:
    // Renders the picture for a host client area of this size in this style (again only when one changed).
    void Prepare(HDC compatibleWith, SIZE size, int dpi, const WatermarkStyle& style);
    // Paints the rectangle target of dc with the part of the picture at hostOrigin (host client coordinates
    // of target's top-left corner).
    bool Paint(HDC dc, const RECT& target, POINT hostOrigin) const;
    // The picture's colour at one host client point (for checks).
    COLORREF ColorAt(int x, int y) const;

private:
    GdiObject<HBITMAP> bitmap;
    DWORD* pixels = nullptr;  // the DIB section's bits, top-down 0x00RRGGBB
    SIZE size = {0, 0};
    int dpi = 0;
    WatermarkStyle style = {};
};
