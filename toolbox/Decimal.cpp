#include "Decimal.h"

bool ParseDecimal(const std::wstring& text, long long minimum, long long maximum, long long& value, bool plusAllowed) {
    const bool negative = !text.empty() && text[0] == L'-';
    const size_t start = negative || (plusAllowed && !text.empty() && text[0] == L'+') ? 1 : 0;
    if (start == text.size()) return false;
    // Far beyond any range asked for, and far from the end of the type: a long number fails here, not by overflow.
    const unsigned long long kCeiling = 1000000000000000000ull;
    unsigned long long magnitude = 0;
    for (size_t i = start; i < text.size(); ++i) {
        if (text[i] < L'0' || text[i] > L'9') return false;
        magnitude = magnitude * 10 + static_cast<unsigned>(text[i] - L'0');
        if (magnitude > kCeiling) return false;
    }
    const long long number = negative ? -static_cast<long long>(magnitude) : static_cast<long long>(magnitude);
    if (number < minimum || number > maximum) return false;
    value = number;
    return true;
}

bool ParseInt(const std::wstring& text, int& value) {
    long long number = 0;
    if (!ParseDecimal(text, -2147483647LL, 2147483647LL, number, true)) return false;
    value = static_cast<int>(number);
    return true;
}
