// Font and line metrics from the system font-size setting and the resolution, and the screen resolution
// that sizes the icons.
#pragma once
#include <windows.h>

// GetDeviceCaps of the screen; -1 when no screen device context is had.
int ScreenDeviceCaps(int index);
// The screen resolution, queried on first use and kept for the module's life.
int CachedScreenResolutionX();
int CachedScreenResolutionY();

struct LineMetrics {
    int fontHeight;
    int lineHeight;
};
// Character height from the font-size setting and the surface's vertical resolution; line height 20 or 24.
LineMetrics ComputeLineMetrics(DWORD fontSizeSetting, int logPixelsY);
