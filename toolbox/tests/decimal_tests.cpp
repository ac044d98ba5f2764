// The numbers of the programs' command lines and scripts: what each caller's range and sign rule let through.
#include "toolbox/Decimal.h"
#include <gtest/gtest.h>

namespace {

TEST(Decimal, TakesOnlyWholeAsciiNumbersWithinTheRange) {
    const struct {
        const wchar_t* text;
        long long minimum, maximum;
        bool plusAllowed;
        bool ok;
        long long value;
    } cases[] = {
        {L"0", 0, 10, false, true, 0},
        {L"-3", -5, 5, false, true, -3},
        {L"007", 0, 10, false, true, 7},
        {L"+7", 0, 10, true, true, 7},
        {L"+7", 0, 10, false, false, 0},
        {L"11", 0, 10, false, false, 0},
        {L"-1", 0, 10, false, false, 0},
        {L"4294967295", -2147483648LL, 4294967295LL, false, true, 4294967295LL},
        {L"", 0, 10, false, false, 0},
        {L"-", 0, 10, false, false, 0},
        {L"+", 0, 10, true, false, 0},
        {L" 5", 0, 10, false, false, 0},
        {L"5 ", 0, 10, false, false, 0},
        {L"5x", 0, 10, false, false, 0},
        {L"0x10", 0, 100, false, false, 0},
        {L"--5", -10, 10, false, false, 0},
        // Digits of other scripts (fullwidth, Arabic-Indic) are no ASCII digits: read as ones they gave 65253.
        {L"\uFF15", 0, 100000, false, false, 0},
        {L"\u0665", 0, 100000, false, false, 0},
        // Far too long: refused, not wrapped around.
        {L"99999999999999999999999", 0, 10, false, false, 0},
    };
    for (const auto& c : cases) {
        long long value = -99;
        EXPECT_EQ(c.ok, ParseDecimal(c.text, c.minimum, c.maximum, value, c.plusAllowed)) << c.text;
        EXPECT_EQ(c.ok ? c.value : -99, value) << c.text;
    }
}

TEST(Decimal, AnIntTakesEitherSignAndNothingPastItsRange) {
    int value = 0;
    EXPECT_TRUE(ParseInt(L"+2147483647", value));
    EXPECT_EQ(2147483647, value);
    EXPECT_TRUE(ParseInt(L"-2147483647", value));
    EXPECT_EQ(-2147483647, value);
    EXPECT_FALSE(ParseInt(L"2147483648", value));
    EXPECT_FALSE(ParseInt(L"-2147483648", value));
    EXPECT_EQ(-2147483647, value) << "left alone on failure";
}

}  // namespace
