// Text, bitmap and line primitives of the item's painting.
#pragma once
#include <windows.h>
#include <string>

// Where a text was drawn: the box its string covers (its width and the font's cell height, from the top of its
// room) and the room, the rectangle the drawing is clipped to. A box that leaves its room is cut.
struct DrawnText {
    RECT box;
    RECT room;
};

// The text in the rectangle shrunk by dx, dy.
DrawnText DrawTextInset(HDC dc, const std::wstring& text, const RECT& rect, UINT format, int dx, int dy);
// Like DrawTextInset, but a text wider than the inner rectangle is cut and ended with "...".
DrawnText DrawTextFitted(HDC dc, const std::wstring& text, const RECT& rect, UINT format, int dx, int dy);
DrawnText DrawTextBox(HDC dc, POINT origin, const wchar_t* text, int width, int height);
// Unscaled and unclipped, centred in the rectangle; returns where it went.
RECT DrawBitmapCentered(HDC dc, HBITMAP bitmap, const RECT& rect);
// Outline with the selected pen, `width` pixels thick along the rectangle's inner edges and drawn that many
// pixels higher than the rectangle.
void DrawFrame(HDC dc, const RECT& rect, int width = 1);
void DrawLine(HDC dc, POINT from, POINT to);
