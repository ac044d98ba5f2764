// Font and line metrics: the system font-size setting and the screen resolution.
#pragma once
#include <windows.h>

// The system font-size setting, clamped to 500..1200 (900 when it cannot be read).
DWORD ReadSystemFontSize();
// GetDeviceCaps of the screen; -1 when no screen device context is had.
int ScreenDeviceCaps(int index);
// The screen resolution, queried on first use and kept for the module's life.
int CachedScreenResolutionX();
int CachedScreenResolutionY();

struct LineMetrics {
    int fontHeight;
    int lineHeight;
};
// Character height from the setting and the surface's vertical resolution; line height 20 or 24.
LineMetrics ComputeLineMetrics(DWORD fontSizeSetting, int logPixelsY);
