#include "SystemFontSize.h"

namespace {
static const wchar_t FONT_SIZE_KEY_PATH[] = L"\\ControlPanel\\Stylus\\96DPI";
static const wchar_t FONT_SIZE_VALUE[] = L"CurFont";
const DWORD FONT_SIZE_DEFAULT = 900;
const DWORD FONT_SIZE_MIN = 500;
const DWORD FONT_SIZE_MAX = 1200;

// Unsigned on purpose: a negative stored value counts as huge.
DWORD Clamped(DWORD size) {
    if (size < FONT_SIZE_MIN) return FONT_SIZE_MIN;
    if (size > FONT_SIZE_MAX) return FONT_SIZE_MAX;
    return size;
}
}  // namespace

DWORD ReadSystemFontSize() { return SystemFontSizeSetting().Read(); }

DWORD SystemFontSizeSetting::Read() {
    // The second round opens afresh a key that was deleted (and perhaps made again) since it was opened.
    for (int round = 0; round < 2; ++round) {
        if (!key.IsOpen() && !key.Open(FONT_SIZE_KEY_PATH)) return FONT_SIZE_DEFAULT;
        DWORD size = FONT_SIZE_DEFAULT;
        LONG result = key.QueryDword(FONT_SIZE_VALUE, &size);
        if (result == ERROR_SUCCESS) return Clamped(size);
        // The key is fine, the value is absent or not a number: the default, and the key stays open.
        if (result == ERROR_FILE_NOT_FOUND || result == ERROR_INVALID_DATA || result == ERROR_MORE_DATA)
            return FONT_SIZE_DEFAULT;
        key.Close();
    }
    return FONT_SIZE_DEFAULT;
}
