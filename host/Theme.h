// The host's colour themes: the light one the Today screen comes with, a dark one, and a high-contrast one for
// poor sight. Items ask the host for its colours at every paint, so a theme changes what they draw too.
#pragma once
#include <string>
#include "ColorScheme.h"

enum class Theme { Light, Dark, Contrast };

// "light", "dark" or "contrast"; false for any other word.
bool ParseTheme(const std::wstring& name, Theme& theme);
const wchar_t* ThemeName(Theme theme);
// The theme's text, highlight and highlighted-text colours, its bars and its background picture.
ColorScheme ThemeColors(Theme theme);
// The list of names, for messages and help: "light, dark or contrast".
const wchar_t* ThemeNames();
