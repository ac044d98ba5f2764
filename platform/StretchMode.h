// The smoothest mode StretchBlt has for a picture made smaller or larger. The handheld has no HALFTONE, and
// its BILINEAR only enlarges: a picture it shrinks takes COLORONCOLOR (whole rows and columns dropped).
#pragma once
#include <windows.h>

#ifdef UNDER_CE
inline int SmoothStretchMode(bool enlarging) { return enlarging ? BILINEAR : COLORONCOLOR; }
#else
inline int SmoothStretchMode(bool) { return HALFTONE; }
#endif
