#include "RandomNotices.h"
#include <cstdio>
#include <cstdlib>

bool SoakRun() {
    const char* soak = getenv("ARDENO_SOAK");
    return soak && *soak && *soak != '0';
}

int Scaled(int fast, int soak) { return SoakRun() ? soak : fast; }

uint32_t FirstSeed() {
    const char* seed = getenv("ARDENO_SEED");
    return seed && *seed ? static_cast<uint32_t>(strtoul(seed, nullptr, 10)) : 20240517u;
}

void Report(const std::string& line) {
    printf("[ robustness ] %s\n", line.c_str());
    fflush(stdout);
}

wchar_t RandomNotices::Unit(bool loneSurrogates) {
    static const wchar_t bidi[] = {0x200E, 0x200F, 0x202A, 0x202B, 0x202C, 0x202D, 0x202E, 0x2066, 0x2069};
    // As the probes that crash Wine's text functions found them: about a quarter of the units are surrogates
    // out of place.
    if (loneSurrogates && Chance(0.25)) return static_cast<wchar_t>(0xD800 + Below(0x800));
    for (;;) {
        const size_t kind = Below(100);
        wchar_t c;
        if (kind < 45) c = static_cast<wchar_t>(0x20 + Below(0x5F));           // printable ASCII
        else if (kind < 55) c = static_cast<wchar_t>(1 + Below(0x1F));         // control characters
        else if (kind < 65) c = static_cast<wchar_t>(0x4E00 + Below(0x5000));  // CJK
        else if (kind < 70) c = bidi[Below(sizeof(bidi) / sizeof(bidi[0]))];
        else if (kind < 75) c = static_cast<wchar_t>(0x0300 + Below(0x70));  // combining marks
        else if (kind < 78) c = static_cast<wchar_t>(Chance(0.5) ? 0xFFFE + Below(2) : 0xFEFF);
        else c = static_cast<wchar_t>(0x80 + Below(0xD800 - 0x80));  // the rest of the plane below
        if (c >= 0xE000 && c <= 0xE00F) continue;                    // the suite's tags
        return c;
    }
}

std::wstring RandomNotices::Text(size_t maxLength, bool loneSurrogates) {
    // Mostly short, sometimes as long as allowed.
    return TextOfLength(Chance(0.1) ? Below(maxLength + 1) : Below(maxLength / 8 + 2), loneSurrogates);
}

std::wstring RandomNotices::TextOfLength(size_t length, bool loneSurrogates) {
    std::wstring text;
    while (text.size() < length) {
        if (Chance(0.05) && text.size() + 2 <= length) {  // a pair: one character outside the plane
            text.push_back(static_cast<wchar_t>(0xD800 + Below(0x400)));
            text.push_back(static_cast<wchar_t>(0xDC00 + Below(0x400)));
        } else {
            text.push_back(Unit(loneSurrogates));
        }
    }
    return text;
}

std::wstring RandomNotices::TimeField() {
    const size_t shape = Below(100);
    if (shape < 5) return L"";
    if (shape < 12) return std::wstring(1, static_cast<wchar_t>(L'a' + Below(26))) + Text(6, false);
    if (shape < 20) {  // beyond 64 bits
        std::wstring digits(1, static_cast<wchar_t>(L'1' + Below(9)));
        for (size_t n = 19 + Below(10); digits.size() < n;) digits.push_back(static_cast<wchar_t>(L'0' + Below(10)));
        return (Chance(0.3) ? L"-" : L"") + digits;
    }
    std::wstring field;
    for (size_t blanks = Below(3); blanks > 0; --blanks) field.push_back(Chance(0.5) ? L' ' : L'\t');
    const size_t sign = Below(10);
    if (sign == 0) field.push_back(L'+');
    if (sign == 1) field.push_back(L'-');
    ULONGLONG value;
    switch (Below(3)) {
    case 0:
        value = Below(1000000);
        break;
    case 1:
        value = 133000000000000000ull + (static_cast<ULONGLONG>(engine()) << 24) + engine();
        break;
    default:
        value = ((static_cast<ULONGLONG>(engine()) << 32) | engine()) & 0x7FFFFFFFFFFFFFFFull;
    }
    if (sign == 1 && value == 1) value = 2;  // "-1" is the largest time there is: the suite's sentinel keeps it
    if (Chance(0.1)) field += L"00";
    field += std::to_wstring(value);
    if (Chance(0.3)) field += std::wstring(1, static_cast<wchar_t>(L'a' + Below(26))) + Text(8, false);
    return field;
}
