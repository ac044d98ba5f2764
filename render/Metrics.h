// Font and line metrics from the system font-size setting and the screen's scale, and the screen resolution
// that sizes the icons and everything else the item draws.
#pragma once
#include <windows.h>
#include "ItemScale.h"

// GetDeviceCaps of the screen; -1 when no screen device context is had.
int ScreenDeviceCaps(int index);
// The screen resolution, queried on first use and kept for the module's life.
int CachedScreenResolutionX();
int CachedScreenResolutionY();
// The scale of every pixel measure: the cached vertical resolution, as the font height takes it. Handheld
// screens have square pixels, so one scale serves both directions.
ItemScale ScreenScale();

struct LineMetrics {
    int fontHeight;
    int lineHeight;  // 20 or 24 at 96 dpi, scaled elsewhere
    int textInset;   // a text's distance from every edge of its line
};
// Character height from the font-size setting and the resolution; the line height that holds it.
LineMetrics ComputeLineMetrics(DWORD fontSizeSetting, const ItemScale& scale);
// The line height while no paint has measured the font yet: the small line (20 at 96 dpi).
int UnmeasuredLineHeight(const ItemScale& scale);
