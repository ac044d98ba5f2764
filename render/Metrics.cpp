#include "Metrics.h"
#include "../settings/RegistryKey.h"

#define FONT_SIZE_KEY_PATH L"\\ControlPanel\\Stylus\\96DPI"
#define FONT_SIZE_DEFAULT 900
#define FONT_SIZE_MIN 500
#define FONT_SIZE_MAX 1200

DWORD ReadSystemFontSize() {
    RegistryKey key;
    if (!key.Open(FONT_SIZE_KEY_PATH)) return FONT_SIZE_DEFAULT;
    DWORD size = key.ReadDword(L"CurFont", FONT_SIZE_DEFAULT);
    // Unsigned on purpose: a negative stored value counts as huge.
    if (size < FONT_SIZE_MIN) size = FONT_SIZE_MIN;
    if (size > FONT_SIZE_MAX) size = FONT_SIZE_MAX;
    key.Close();
    return size;
}

int ScreenDeviceCaps(int index) {
    HDC screen = GetDC(nullptr);
    if (!screen) return -1;
    int value = GetDeviceCaps(screen, index);
    ReleaseDC(nullptr, screen);
    return value;
}

namespace {
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

int CachedScreenResolutionX() { return Cached(horizontalResolution, LOGPIXELSX); }
int CachedScreenResolutionY() { return Cached(verticalResolution, LOGPIXELSY); }

LineMetrics ComputeLineMetrics(DWORD fontSizeSetting, int logPixelsY) {
    LineMetrics metrics;
    metrics.fontHeight = static_cast<int>(fontSizeSetting) * logPixelsY / 7200;
    metrics.lineHeight = metrics.fontHeight <= 13 ? 20 : 24;
    return metrics;
}
