// Text, bitmap and line primitives of the item's painting.
#pragma once
#include <windows.h>

// At most this many units of a text are measured and drawn: more never fit on a line of any screen (the item
// keeps 256 units of a sender or a text), and the measures live on the stack, so drawing needs no memory.
const size_t DRAWN_TEXT_MAX_UNITS = 512;

// Where a text was drawn: the box its string covers (its width and the font's cell height, from the top of its
// room) and the room, the rectangle the drawing is clipped to. A box that leaves its room is cut.
struct DrawnText {
    RECT box;
    RECT room;
};

// `length` units of text in the rectangle shrunk by dx, dy.
DrawnText DrawTextInset(HDC dc, const wchar_t* text, size_t length, const RECT& rect, UINT format, int dx, int dy);
// Like DrawTextInset, but a text wider than the inner rectangle is cut and ended with "...".
DrawnText DrawTextFitted(HDC dc, const wchar_t* text, size_t length, const RECT& rect, UINT format, int dx, int dy);
DrawnText DrawTextBox(HDC dc, POINT origin, const wchar_t* text, int width, int height);
// Unscaled and unclipped, centred in the rectangle; returns where it went (an empty rectangle at the cell's
// top left when no memory surface could be had to draw from).
RECT DrawBitmapCentered(HDC dc, HBITMAP bitmap, const RECT& rect);
// Outline with the selected pen, `width` pixels thick along the rectangle's inner edges and drawn that many
// pixels higher than the rectangle.
void DrawFrame(HDC dc, const RECT& rect, int width = 1);
void DrawLine(HDC dc, POINT from, POINT to);
