// The item's own colours (the arrows' orange and dark brown, the frames' grey) were chosen for the usual Today
// screen: dark text on a light picture, light text on a dark selection. There they stay as they are. Where
// the host's colours run the other way (a dark or a high-contrast theme), a mark that would read below 3:1
// against what lies behind it takes the paint's text colour instead, which the host keeps readable there.
#pragma once
#include <windows.h>

// As resources/make_icons.py paints the arrows.
const COLORREF ARROW_COLOR = RGB(0xFF, 0x8C, 0x00);
const COLORREF LIT_ARROW_COLOR = RGB(0x5C, 0x33, 0x17);

// Whether the paint's text colour runs the usual way: meant for a light background on an unselected item,
// for a dark one on a selected item.
bool UsualTodayColors(COLORREF textColor, bool selected);
// own while it reads at least 3:1 against the background, else the text colour.
COLORREF ReadableMarkColor(COLORREF own, COLORREF background, COLORREF textColor);
// The icon's shape (its mask) filled with one colour, at its own size; where it went.
RECT DrawIconInColor(HDC dc, HICON icon, int x, int y, COLORREF color);
