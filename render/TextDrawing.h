// Text, bitmap and line primitives of the item's painting.
#pragma once
#include <windows.h>
#include <string>

// The text in the rectangle shrunk by dx, dy.
void DrawTextInset(HDC dc, const std::wstring& text, const RECT& rect, UINT format, int dx, int dy);
// Like DrawTextInset, but a text wider than the inner rectangle is cut and ended with "...".
void DrawTextFitted(HDC dc, const std::wstring& text, const RECT& rect, UINT format, int dx, int dy);
void DrawTextBox(HDC dc, POINT origin, const wchar_t* text, int width, int height);
int TextWidth(HDC dc, const wchar_t* text);
// Unscaled and unclipped: a larger picture overflows the rectangle equally on both sides.
void DrawBitmapCentered(HDC dc, HBITMAP bitmap, const RECT& rect);
// Outline with the selected pen, `width` pixels thick along the rectangle's inner edges and drawn that many
// pixels higher than the rectangle.
void DrawFrame(HDC dc, const RECT& rect, int width = 1);
void DrawLine(HDC dc, POINT from, POINT to);
