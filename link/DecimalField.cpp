#include "DecimalField.h"

namespace {

// The characters the desktop runtime's _wtoi64 skips before the number (its iswspace set).
bool IsLeadingSpace(wchar_t c) {
    return (c >= 0x0009 && c <= 0x000D) || c == 0x0020 || c == 0x00A0 || c == 0x1680 || (c >= 0x2000 && c <= 0x200A) ||
           c == 0x2028 || c == 0x2029 || c == 0x202F || c == 0x205F || c == 0x3000;
}

}  // namespace

LONGLONG ParseDecimalField(const wchar_t* text, size_t length) {
    if (!text) return 0;
    const wchar_t* const end = text + length;
    while (text != end && IsLeadingSpace(*text)) ++text;
    bool negative = false;
    if (text != end && (*text == L'+' || *text == L'-')) negative = *text++ == L'-';
    // Unsigned arithmetic: overflow wraps, where signed overflow would be undefined.
    ULONGLONG value = 0;
    for (; text != end && *text >= L'0' && *text <= L'9'; ++text) value = value * 10 + static_cast<ULONGLONG>(*text - L'0');
    return static_cast<LONGLONG>(negative ? 0 - value : value);
}
