// Reading a window's pixels back and writing them as PNG. Under Wine's null display driver the screen
// cannot be read, but a window's own client DC can; it includes the pixels of its child windows.
#pragma once
#include <windows.h>
#include <cstdint>
#include <string>
#include <vector>

struct Pixels {
    int width = 0;
    int height = 0;
    std::vector<uint32_t> bgrx;  // top-down rows, 0x00RRGGBB
    COLORREF At(int x, int y) const {
        uint32_t p = bgrx[static_cast<size_t>(y) * width + x];
        return RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
    }
};

// Paints whatever is pending (the window and its children), then copies its client area; one larger than the
// desktop in pieces, moving the window.
bool CaptureClient(HWND window, Pixels& pixels);

// Writes PNG through GDI+. On failure, error says why.
bool SavePng(const Pixels& pixels, const std::wstring& path, std::wstring& error);
