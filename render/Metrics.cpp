#include "Metrics.h"
#include "../platform/ScopedHandles.h"

namespace {

constexpr int FONT_SIZE_UNITS_PER_PIXEL_AT_1_DPI = 7200;
constexpr int SMALL_LINE_HEIGHT = 20;
constexpr int LARGE_LINE_HEIGHT = 24;
constexpr int LARGEST_FONT_FOR_SMALL_LINES = 13;

struct ResolutionCache {
    bool queried = false;
    int value = 0;
};
ResolutionCache horizontalResolution;
ResolutionCache verticalResolution;

int Cached(ResolutionCache& cache, int index) {
    if (!cache.queried) {
        cache.value = ScreenDeviceCaps(index);
        cache.queried = true;
    }
    return cache.value;
}

}  // namespace

int ScreenDeviceCaps(int index) {
    WindowDC screen(nullptr);
    if (!screen.get()) return -1;
    return GetDeviceCaps(screen.get(), index);
}

int CachedScreenResolutionX() { return Cached(horizontalResolution, LOGPIXELSX); }
int CachedScreenResolutionY() { return Cached(verticalResolution, LOGPIXELSY); }

LineMetrics ComputeLineMetrics(DWORD fontSizeSetting, int logPixelsY) {
    LineMetrics metrics;
    metrics.fontHeight = static_cast<int>(fontSizeSetting) * logPixelsY / FONT_SIZE_UNITS_PER_PIXEL_AT_1_DPI;
    metrics.lineHeight = metrics.fontHeight <= LARGEST_FONT_FOR_SMALL_LINES ? SMALL_LINE_HEIGHT : LARGE_LINE_HEIGHT;
    return metrics;
}
