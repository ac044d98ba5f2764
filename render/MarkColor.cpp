#include "MarkColor.h"
#include "../platform/ScopedHandles.h"

namespace {

// Where the mask is clear (the icon's own pixels) the brush, elsewhere what is there already ("PSDPxax").
const DWORD BRUSH_WHERE_MASK_CLEAR = 0x00B8074A;

// Relative luminance, the sRGB curve taken as a cubic that stays within 3% of it, which the threshold allows
// for: a mark is kept only above 3.2:1 by this measure, so that it is above 3:1 by the exact one.
double Luminance(COLORREF color) {
    const int channels[3] = {GetRValue(color), GetGValue(color), GetBValue(color)};
    const double weights[3] = {0.2126, 0.7152, 0.0722};
    double sum = 0;
    for (int i = 0; i < 3; ++i) {
        const double x = channels[i] / 255.0;
        sum += weights[i] * x * (x * (x * 0.305306011 + 0.682171111) + 0.012522878);
    }
    return sum;
}

double Contrast(COLORREF a, COLORREF b) {
    const double la = Luminance(a) + 0.05, lb = Luminance(b) + 0.05;
    return la > lb ? la / lb : lb / la;
}

}  // namespace

bool UsualTodayColors(COLORREF textColor, bool selected) {
    // Text that stands out more against white than against black is meant for a light background.
    const bool forLightBackground = Contrast(textColor, RGB(0xFF, 0xFF, 0xFF)) >= Contrast(textColor, RGB(0, 0, 0));
    return forLightBackground != selected;
}

COLORREF ReadableMarkColor(COLORREF own, COLORREF background, COLORREF textColor) {
    return Contrast(own, background) >= 3.2 ? own : textColor;
}

RECT DrawIconInColor(HDC dc, HICON icon, int x, int y, COLORREF color) {
    ICONINFO info = {};
    RECT drawn = {0, 0, 0, 0};
    if (!icon || !GetIconInfo(icon, &info)) return drawn;
    GdiObject<HBITMAP> picture(info.hbmColor), mask(info.hbmMask);  // GetIconInfo's copies: ours to delete
    BITMAP size = {};
    GetObjectW(mask.get(), sizeof(size), &size);
    const int height = picture.get() ? size.bmHeight : size.bmHeight / 2;  // a monochrome mask holds two
    MemoryDC maskDc(dc);
    SelectedObject selectedMask(maskDc.get(), mask.get());
    GdiObject<HBRUSH> brush(CreateSolidBrush(color));
    SelectedObject selectedBrush(dc, brush.get());
    // The one-bit mask comes in as black where clear and white where set.
    const COLORREF text = SetTextColor(dc, RGB(0, 0, 0)), back = SetBkColor(dc, RGB(0xFF, 0xFF, 0xFF));
    BitBlt(dc, x, y, size.bmWidth, height, maskDc.get(), 0, 0, BRUSH_WHERE_MASK_CLEAR);
    SetTextColor(dc, text);
    SetBkColor(dc, back);
    drawn.left = x;
    drawn.top = y;
    drawn.right = x + size.bmWidth;
    drawn.bottom = y + height;
    return drawn;
}
