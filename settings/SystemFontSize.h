// The system font-size setting, which sizes the item's text.
#pragma once
#include <windows.h>

// "CurFont" under \ControlPanel\Stylus\96DPI, clamped to 500..1200 as an unsigned number; 900 when it
// cannot be read.
DWORD ReadSystemFontSize();
