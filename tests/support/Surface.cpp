#include "Surface.h"
#include "platform/TopDownDib.h"
#include "platform/ScopedHandles.h"
#include "render/ItemFont.h"
#include <algorithm>
#include <sstream>

// A memory DC made without a DC is compatible with the screen.
Surface::Surface(int width, int height, COLORREF background)
    : width(width),
      height(height),
      memory(nullptr),
      bitmap(CreateTopDownDib(memory.get(), width, height, &bits)),
      selected(memory.get(), bitmap.get()) {
    RECT all = {0, 0, width, height};
    GdiObject<HBRUSH> brush(CreateSolidBrush(background));
    FillRect(memory.get(), &all, brush.get());
}

Capture Surface::Pixels() const {
    GdiFlush();
    Capture capture;
    capture.width = width;
    capture.height = height;
    const DWORD* source = static_cast<const DWORD*>(bits);
    capture.pixels.assign(source, source + static_cast<size_t>(width) * height);
    for (DWORD& p : capture.pixels) p &= 0x00FFFFFF;
    return capture;
}

HFONT CreateItemFont(int fontHeight) {
    LOGFONTW font = ItemFontDescription(fontHeight);
    return CreateFontIndirectW(&font);
}

int ItemTextWidth(const std::wstring& text, int fontHeight) {
    Surface surface(1, 1, RGB(0, 0, 0));
    GdiObject<HFONT> font(CreateItemFont(fontHeight));
    SelectedObject selected(surface.dc(), font.get());
    SIZE size = {};
    GetTextExtentPoint32W(surface.dc(), text.c_str(), static_cast<int>(text.size()), &size);
    return size.cx;
}

int ItemFontCellHeight(int fontHeight) {
    Surface surface(1, 1, RGB(0, 0, 0));
    GdiObject<HFONT> font(CreateItemFont(fontHeight));
    SelectedObject selected(surface.dc(), font.get());
    TEXTMETRICW metrics = {};
    GetTextMetricsW(surface.dc(), &metrics);
    return metrics.tmHeight;
}

Capture RenderTexts(int width, int height, COLORREF background, COLORREF colour, const std::vector<TextAt>& texts,
                    int fontHeight) {
    Surface surface(width, height, background);
    GdiObject<HFONT> font(CreateItemFont(fontHeight));
    SelectedObject selected(surface.dc(), font.get());
    SetTextColor(surface.dc(), colour);
    SetBkMode(surface.dc(), TRANSPARENT);
    for (const TextAt& t : texts) {
        RECT rect = t.rect;
        DrawTextW(surface.dc(), t.text.c_str(), static_cast<int>(t.text.size()), &rect, t.format);
    }
    return surface.Pixels();
}

::testing::AssertionResult SameInArea(const Capture& actual, const Capture& expected, const RECT& area) {
    int differing = 0;
    std::ostringstream first;
    for (int y = area.top; y < area.bottom; ++y) {
        for (int x = area.left; x < area.right; ++x) {
            if (actual.At(x, y) == expected.At(x, y)) continue;
            if (differing++ == 0) {
                first << " first at (" << x << ", " << y << "): 0x" << std::hex << actual.At(x, y) << " instead of 0x"
                      << expected.At(x, y) << std::dec;
            }
        }
    }
    if (differing == 0) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << differing << " pixels differ in (" << area.left << ", " << area.top << ", "
                                         << area.right << ", " << area.bottom << ");" << first.str();
}

int CountOther(const Capture& capture, const RECT& area, COLORREF colour) {
    return (area.right - area.left) * (area.bottom - area.top) - capture.Count(area, colour);
}

int CountGdiObjects() {
    int count = 0;
    for (UINT_PTR index = 1; index <= 0xFFFF; ++index)
        if (GetObjectType(reinterpret_cast<HGDIOBJ>(index))) ++count;
    return count;
}

namespace {

template <typename Selected>
RECT BoundsOfPixels(const Capture& capture, const RECT& area, Selected selected) {
    RECT bounds = {capture.width, capture.height, 0, 0};
    const int bottom = std::min<int>(area.bottom, capture.height), right = std::min<int>(area.right, capture.width);
    for (int y = std::max<int>(area.top, 0); y < bottom; ++y) {
        for (int x = std::max<int>(area.left, 0); x < right; ++x) {
            if (!selected(capture.At(x, y))) continue;
            bounds.left = std::min<LONG>(bounds.left, x);
            bounds.top = std::min<LONG>(bounds.top, y);
            bounds.right = std::max<LONG>(bounds.right, x + 1);
            bounds.bottom = std::max<LONG>(bounds.bottom, y + 1);
        }
    }
    if (bounds.right == 0) return {0, 0, 0, 0};
    return bounds;
}

}  // namespace

RECT BoundsOf(const Capture& capture, COLORREF colour, const RECT& area) {
    return BoundsOfPixels(capture, area, [colour](COLORREF pixel) { return pixel == colour; });
}

RECT InkBounds(const Capture& capture, COLORREF background, const RECT& area) {
    return BoundsOfPixels(capture, area, [background](COLORREF pixel) { return pixel != background; });
}

int MatchingPicture(const Capture& capture, const std::vector<Capture>& candidates, const RECT& area) {
    for (size_t i = 0; i < candidates.size(); ++i)
        if (SameInArea(capture, candidates[i], area)) return static_cast<int>(i);
    return -1;
}
