// The notice's time field is read by the item's own parser, which must give the desktop runtime's _wtoi64
// results (the handheld's runtime has no _wtoi64).
#include "link/DecimalField.h"
#include <gtest/gtest.h>
#include <cstdint>
#include <cstdlib>
#include <string>

namespace {

std::string Units(const std::wstring& text) {
    std::string shown;
    char unit[8];
    for (wchar_t c : text) {
        snprintf(unit, sizeof(unit), c >= 0x20 && c < 0x7F ? "%c" : "\\x%04X", static_cast<unsigned>(c));
        shown += unit;
    }
    return '"' + shown + '"';
}

}  // namespace

TEST(DecimalField, ReadsAsTheRuntimeDoesAtEveryEdge) {
    const struct {
        const wchar_t* text;
        LONGLONG value;
    } table[] = {
        // No number at all.
        {L"", 0},
        {L"   ", 0},
        {L"abc", 0},
        {L"+", 0},
        {L"-", 0},
        {L"+-5", 0},
        {L"--5", 0},
        {L"- 5", 0},
        // Blanks, signs, digits, and the first character that is not a digit ends the number.
        {L"007", 7},
        {L"+42", 42},
        {L"-42", -42},
        {L" \t\n\v\f\r42", 42},
        {L"\x00A0\x2003\x3000-42", -42},
        {L"12 34", 12},
        {L"42abc", 42},
        {L"1e5", 1},
        {L"0x1A", 0},
        {L"12.9", 12},
        {L"-0", 0},
        // Only the ASCII digits count: full-width and Arabic-Indic digits end the number.
        {L"\xFF11\xFF12", 0},
        {L"1\x0662", 1},
        {L"134096643000000000", 134096643000000000},  // a notice time of December 2025
        // The 64-bit range and past it: the digits wrap modulo 2^64, then the sign negates.
        {L"9223372036854775807", INT64_MAX},
        {L"-9223372036854775808", INT64_MIN},
        {L"9223372036854775808", INT64_MIN},  // 2^63
        {L"9223372036854775809", -INT64_MAX},
        {L"-9223372036854775809", INT64_MAX},
        {L"18446744073709551615", -1},  // 2^64 - 1
        {L"18446744073709551616", 0},   // 2^64
        {L"99999999999999999999", 7766279631452241919},
        {L"-99999999999999999999", -7766279631452241919},
        {L"000000000000000000000000000042", 42},  // leading zeros never overflow
    };
    for (const auto& row : table) {
        SCOPED_TRACE(Units(row.text));
        EXPECT_EQ(ParseDecimalField(row.text, wcslen(row.text)), row.value);
        EXPECT_EQ(_wtoi64(row.text), row.value);
    }
    EXPECT_EQ(ParseDecimalField(nullptr, 5), 0);
    EXPECT_EQ(ParseDecimalField(L"12345", 3), 123) << "read within its length";
}

// Every UTF-16 unit, first, right after a sign and between two digits: which units count as blanks and
// which as digits must be exactly the runtime's.
TEST(DecimalField, EveryUnitInEveryPlaceReadsAsTheRuntimeDoes) {
    int differences = 0;
    for (unsigned code = 1; code <= 0xFFFF && differences < 10; ++code) {
        const wchar_t unit = static_cast<wchar_t>(code);
        for (const std::wstring& text :
             {std::wstring{unit, L'7'}, std::wstring{L'-', unit, L'7'}, std::wstring{L'1', unit, L'2'}}) {
            if (ParseDecimalField(text.data(), text.size()) != _wtoi64(text.c_str())) {
                ++differences;
                ADD_FAILURE() << Units(text) << ": " << ParseDecimalField(text.data(), text.size()) << ", runtime "
                              << _wtoi64(text.c_str());
            }
        }
    }
}
