#include "Watermark.h"
#include "platform/TopDownDib.h"
#include <cmath>

namespace {

struct Rgb {
    double r, g, b;
};

Rgb Mix(const Rgb& a, const Rgb& b, double t) {
    return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t};
}

Rgb Darker(const Rgb& c, double amount) { return {c.r * (1 - amount), c.g * (1 - amount), c.b * (1 - amount)}; }

Rgb Unpack(COLORREF c) {
    return {static_cast<double>(GetRValue(c)), static_cast<double>(GetGValue(c)), static_cast<double>(GetBValue(c))};
}

bool SameStyle(const WatermarkStyle& a, const WatermarkStyle& b) {
    return a.top == b.top && a.bottom == b.bottom && a.stripeShade == b.stripeShade && a.ringShade == b.ringShade;
}

DWORD Pack(const Rgb& c) {
    auto clamp = [](double v) { return static_cast<DWORD>(v < 0 ? 0 : v > 255 ? 255 : v + 0.5); };
    return (clamp(c.r) << 16) | (clamp(c.g) << 8) | clamp(c.b);
}

}  // namespace

void Watermark::Prepare(HDC compatibleWith, SIZE newSize, int newDpi, const WatermarkStyle& newStyle) {
    if (bitmap.get() && newSize.cx == size.cx && newSize.cy == size.cy && newDpi == dpi && SameStyle(newStyle, style))
        return;
    size = newSize;
    dpi = newDpi;
    style = newStyle;
    void* bits = nullptr;
    bitmap.Reset(CreateTopDownDib(compatibleWith, size.cx, size.cy, &bits));
    pixels = static_cast<DWORD*>(bits);
    if (!pixels) return;

    const int stripe = MulDiv(14, dpi, 96);    // distance between the diagonal lines
    const double ringRadius = size.cx * 0.62;  // a ring crossing several items
    const double ringWidth = MulDiv(10, dpi, 96);
    const double centerX = size.cx * 0.95, centerY = size.cy * 0.62;
    const Rgb top = Unpack(style.top), bottom = Unpack(style.bottom);
    for (int y = 0; y < size.cy; ++y) {
        const Rgb row = Mix(top, bottom, size.cy > 1 ? static_cast<double>(y) / (size.cy - 1) : 0);
        for (int x = 0; x < size.cx; ++x) {
            Rgb c = row;
            if ((x + y) % stripe == 0) c = Darker(c, style.stripeShade);
            double distance = std::hypot(x - centerX, y - centerY);
            double fromRing = std::fabs(distance - ringRadius);
            if (fromRing < ringWidth) c = Darker(c, style.ringShade * (1 - fromRing / ringWidth));
            pixels[y * size.cx + x] = Pack(c);
        }
    }
}

bool Watermark::Paint(HDC dc, const RECT& target, POINT hostOrigin) const {
    if (!pixels) return false;
    MemoryDC source(dc);
    SelectedObject selected(source.get(), bitmap.get());
    return BitBlt(dc, target.left, target.top, target.right - target.left, target.bottom - target.top, source.get(),
                  hostOrigin.x, hostOrigin.y, SRCCOPY) != FALSE;
}

COLORREF Watermark::ColorAt(int x, int y) const {
    if (!pixels || x < 0 || y < 0 || x >= size.cx || y >= size.cy) return CLR_INVALID;
    DWORD p = pixels[y * size.cx + x];
    return RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
}
