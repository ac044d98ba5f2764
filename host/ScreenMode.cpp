#include "ScreenMode.h"
#include "toolbox/Decimal.h"

namespace {

// A whole number from 1 to limit; a sign is no part of a size.
bool ParseCount(const std::wstring& text, int limit, int& value) {
    long long number = 0;
    if (!ParseDecimal(text, 1, limit, number)) return false;
    value = static_cast<int>(number);
    return true;
}

constexpr int LARGEST_DPI = 960;

}  // namespace

bool ParseScreenMode(const std::wstring& text, bool withDpi, ScreenMode& mode, std::wstring& why) {
    const std::wstring form = withDpi ? L"WIDTHxHEIGHT@DPI, such as 320x240@96" : L"WIDTHxHEIGHT, such as 320x240";
    const size_t cross = text.find(L'x');
    const size_t at = text.find(L'@');
    if (cross == std::wstring::npos || (withDpi != (at != std::wstring::npos)) || (withDpi && at < cross)) {
        why = L"'" + text + L"' is not a screen: " + form;
        return false;
    }
    const std::wstring width = text.substr(0, cross);
    const std::wstring height = text.substr(cross + 1, withDpi ? at - cross - 1 : std::wstring::npos);
    int cx = 0, cy = 0, dpi = 0;
    if (!ParseCount(width, LARGEST_SCREEN_SIDE, cx) || !ParseCount(height, LARGEST_SCREEN_SIDE, cy)) {
        why = L"'" + text + L"': width and height must be whole numbers of pixels from 1 to " +
              std::to_wstring(LARGEST_SCREEN_SIDE);
        return false;
    }
    if (withDpi && !ParseCount(text.substr(at + 1), LARGEST_DPI, dpi)) {
        why = L"'" + text + L"': the resolution must be a whole number of dots per inch from 1 to " +
              std::to_wstring(LARGEST_DPI);
        return false;
    }
    mode = {{cx, cy}, dpi};
    return true;
}

SIZE DefaultScreenSize(int dpi) { return dpi >= 192 ? SIZE{480, 640} : SIZE{240, 320}; }

std::wstring ScreenModeText(const ScreenMode& mode) {
    std::wstring text = std::to_wstring(mode.size.cx) + L"x" + std::to_wstring(mode.size.cy);
    return mode.dpi ? text + L"@" + std::to_wstring(mode.dpi) : text;
}
