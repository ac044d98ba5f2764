#include "SystemFontSize.h"
#include "RegistryKey.h"

namespace {
constexpr wchar_t FONT_SIZE_KEY_PATH[] = L"\\ControlPanel\\Stylus\\96DPI";
constexpr wchar_t FONT_SIZE_VALUE[] = L"CurFont";
constexpr DWORD FONT_SIZE_DEFAULT = 900;
constexpr DWORD FONT_SIZE_MIN = 500;
constexpr DWORD FONT_SIZE_MAX = 1200;
}  // namespace

DWORD ReadSystemFontSize() {
    RegistryKey key;
    if (!key.Open(FONT_SIZE_KEY_PATH)) return FONT_SIZE_DEFAULT;
    DWORD size = key.ReadDword(FONT_SIZE_VALUE, FONT_SIZE_DEFAULT);
    // Unsigned on purpose: a negative stored value counts as huge.
    if (size < FONT_SIZE_MIN) size = FONT_SIZE_MIN;
    if (size > FONT_SIZE_MAX) size = FONT_SIZE_MAX;
    return size;
}
