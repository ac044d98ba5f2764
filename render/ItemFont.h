// The item's font: the system font's description at the item's character height.
#pragma once
#include <windows.h>

LOGFONTW ItemFontDescription(int fontHeight);
