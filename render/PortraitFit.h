// The portrait in its cell: drawn at its own size at 96 dpi, grown with the screen above it, and never larger
// than the cell (shrunk to fit, keeping its proportions); always centred.
#pragma once
#include "../platform/ScopedHandles.h"
#include "ItemScale.h"
#include <windows.h>

// The size a picture of `picture` pixels is shown at in a cell of `cell` pixels on a screen of that scale.
SIZE PortraitShownSize(SIZE picture, SIZE cell, const ItemScale& scale);

// Draws the portrait centred in the cell and returns where it went. A picture shown at another size than its
// own is stretched once into `fitted` and drawn from there at the next paints, until the cell's size changes.
RECT DrawPortrait(HDC dc, HBITMAP portrait, GdiObject<HBITMAP>& fitted, const RECT& cell, const ItemScale& scale);
