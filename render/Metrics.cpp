#include "Metrics.h"
#include "../platform/ScopedHandles.h"

namespace {

const int FONT_SIZE_UNITS_PER_PIXEL_AT_1_DPI = 7200;
// At 96 dpi:
const int SMALL_LINE_HEIGHT = 20;
const int LARGE_LINE_HEIGHT = 24;
const int TEXT_INSET = 2;
const int LARGEST_FONT_FOR_SMALL_LINES = 13;
const int SMALL_LINE_TEXT_ROOM = SMALL_LINE_HEIGHT - 2 * TEXT_INSET;

struct ResolutionCache {
    bool queried;
    int value;
};
ResolutionCache horizontalResolution = {false, 0};
ResolutionCache verticalResolution = {false, 0};

int Cached(ResolutionCache& cache, int index) {
    if (!cache.queried) {
        cache.value = ScreenDeviceCaps(index);
        cache.queried = cache.value > 0;  // no screen device context (memory short): asked again next time
    }
    return cache.value;
}

}  // namespace

int ScreenDeviceCaps(int index) {
    WindowDC screen(NULL);
    if (!screen.get()) return -1;
    return GetDeviceCaps(screen.get(), index);
}

int CachedScreenResolutionX() { return Cached(horizontalResolution, LOGPIXELSX); }
int CachedScreenResolutionY() { return Cached(verticalResolution, LOGPIXELSY); }

ItemScale ScreenScale() { return ItemScale(CachedScreenResolutionY()); }

LineMetrics ComputeLineMetrics(DWORD fontSizeSetting, const ItemScale& scale) {
    LineMetrics metrics;
    // The screen's cached resolution, not the paint surface's: the font, the lines and the icons must come from
    // one resolution, and the icons are loaded once from the screen's. (The paint surface is compatible with the
    // screen, so the two agree wherever the item runs.)
    metrics.fontHeight = static_cast<int>(fontSizeSetting) * scale.DotsPerInch() / FONT_SIZE_UNITS_PER_PIXEL_AT_1_DPI;
    metrics.textInset = scale(TEXT_INSET);
    // The system font's cell is about 1.2 times its character height: 13 pixels is the largest font whose cell
    // the 16 rows between a 20-pixel line's insets hold. The threshold keeps that ratio to the scaled room. (13
    // scaled alone rounds up to 18 at 131 dpi, whose cell, 22 rows at that ratio, the room of 21 would cut.)
    const int smallLine = scale(SMALL_LINE_HEIGHT);
    const int smallRoom = smallLine - 2 * metrics.textInset;
    const bool fitsSmallLines = metrics.fontHeight * SMALL_LINE_TEXT_ROOM <= smallRoom * LARGEST_FONT_FOR_SMALL_LINES;
    metrics.lineHeight = fitsSmallLines ? smallLine : scale(LARGE_LINE_HEIGHT);
    return metrics;
}

int UnmeasuredLineHeight(const ItemScale& scale) { return scale(SMALL_LINE_HEIGHT); }
