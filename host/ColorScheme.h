// The host's colours: what TODAYM_GETCOLOR answers, the colours of the host's own bar and date line, and its
// background picture. The defaults are the light theme's (Theme.h has the others).
#pragma once
#include <windows.h>

// The background picture: a vertical gradient crossed by faint diagonal stripes and a ring, each shaded by a
// fraction of the colour beneath (a negative one lightens, for a dark picture).
struct WatermarkStyle {
    COLORREF top;
    COLORREF bottom;
    double stripeShade;
    double ringShade;
};

struct ColorScheme {
    COLORREF text = RGB(0x14, 0x22, 0x3C);             // dark navy: readable on the pale background
    COLORREF highlight = RGB(0x1F, 0x5C, 0xB8);        // selection fill
    COLORREF highlightedText = RGB(0xFF, 0xFF, 0xFF);  // text on the selection fill
    COLORREF barTop = RGB(0x1A, 0x3A, 0x70);
    COLORREF barBottom = RGB(0x0C, 0x22, 0x4C);
    COLORREF barText = RGB(0xFF, 0xFF, 0xFF);
    COLORREF badge = RGB(0xF5, 0xC2, 0x1B);
    COLORREF badgeText = RGB(0x20, 0x20, 0x20);
    COLORREF bubbleFill = RGB(0xFF, 0xF8, 0xD6);
    COLORREF bubbleBorder = RGB(0xB8, 0x9A, 0x3C);
    COLORREF separator = RGB(0x9A, 0xAE, 0xCC);
    WatermarkStyle watermark = {RGB(205, 224, 246), RGB(246, 243, 252), 0.035, 0.05};  // pale sky to lavender

    // The answer to TODAYM_GETCOLOR; an index the host does not know gets the text colour.
    COLORREF ForTodayIndex(WPARAM index) const;
};
