// A screen as the host shows it: its size in pixels and the resolution it is meant for. Handhelds come
// portrait, landscape, square and tall, at 96, 131 or 192 dpi, and turn while they run.
#pragma once
#include <windows.h>
#include <string>

struct ScreenMode {
    SIZE size = {0, 0};  // 0 x 0: chosen by the resolution, 240 x 320 or at 192 dpi 480 x 640
    int dpi = 0;         // 0: whatever the screen has
};

constexpr int LARGEST_SCREEN_SIDE = 4096;

// "320x240@96" when withDpi, else "320x240". False with why the text is not such a screen.
bool ParseScreenMode(const std::wstring& text, bool withDpi, ScreenMode& mode, std::wstring& why);
// The client size the host shows on a screen of this resolution when no size is given.
SIZE DefaultScreenSize(int dpi);
// "320x240@96", or "320x240" when the mode names no resolution.
std::wstring ScreenModeText(const ScreenMode& mode);
