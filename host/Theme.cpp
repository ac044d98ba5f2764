#include "Theme.h"

namespace {

struct ThemeRow {
    Theme theme;
    const wchar_t* name;
};

const ThemeRow kThemes[] = {{Theme::Light, L"light"}, {Theme::Dark, L"dark"}, {Theme::Contrast, L"contrast"}};

// Light text on a dark slate picture; the selection is a light blue that takes dark text.
ColorScheme DarkColors() {
    ColorScheme colors;
    colors.text = RGB(0xE4, 0xEA, 0xF4);
    colors.highlight = RGB(0x8A, 0xB4, 0xF8);
    colors.highlightedText = RGB(0x10, 0x18, 0x28);
    colors.barTop = RGB(0x26, 0x2D, 0x3A);
    colors.barBottom = RGB(0x12, 0x16, 0x1E);
    colors.barText = RGB(0xE4, 0xEA, 0xF4);
    colors.bubbleFill = RGB(0x2A, 0x31, 0x40);
    colors.bubbleBorder = RGB(0x8A, 0xB4, 0xF8);
    colors.separator = RGB(0x4C, 0x58, 0x6E);
    colors.watermark = {RGB(0x1C, 0x23, 0x31), RGB(0x0E, 0x11, 0x18), -0.25, -0.3};
    return colors;
}

// White on plain black, the selection bright cyan with black text, as high-contrast themes have it.
ColorScheme ContrastColors() {
    ColorScheme colors;
    colors.text = RGB(0xFF, 0xFF, 0xFF);
    colors.highlight = RGB(0x1A, 0xEB, 0xFF);
    colors.highlightedText = RGB(0x00, 0x00, 0x00);
    colors.barTop = colors.barBottom = RGB(0x00, 0x00, 0x00);
    colors.barText = RGB(0xFF, 0xFF, 0x00);
    colors.badge = RGB(0xFF, 0xFF, 0x00);
    colors.badgeText = RGB(0x00, 0x00, 0x00);
    colors.bubbleFill = RGB(0x00, 0x00, 0x00);
    colors.bubbleBorder = RGB(0xFF, 0xFF, 0xFF);
    colors.separator = RGB(0xFF, 0xFF, 0xFF);
    colors.watermark = {RGB(0x00, 0x00, 0x00), RGB(0x00, 0x00, 0x00), 0, 0};
    return colors;
}

}  // namespace

bool ParseTheme(const std::wstring& name, Theme& theme) {
    for (const ThemeRow& row : kThemes) {
        if (name == row.name) {
            theme = row.theme;
            return true;
        }
    }
    return false;
}

const wchar_t* ThemeName(Theme theme) {
    for (const ThemeRow& row : kThemes)
        if (row.theme == theme) return row.name;
    return L"light";
}

const wchar_t* ThemeNames() { return L"light, dark or contrast"; }

ColorScheme ThemeColors(Theme theme) {
    switch (theme) {
    case Theme::Dark:
        return DarkColors();
    case Theme::Contrast:
        return ContrastColors();
    case Theme::Light:
    default:
        return ColorScheme();
    }
}
