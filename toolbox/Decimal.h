// Whole decimal numbers as the command lines and scripts of the programs around the item write them.
#pragma once
#include <string>

// ASCII digits only, with an optional leading '-' (and '+' where allowed), nothing before or after, from minimum
// to maximum; value is left alone on failure. Digits of other scripts are refused: taken for ASCII ones they
// would give another number.
bool ParseDecimal(const std::wstring& text, long long minimum, long long maximum, long long& value,
                  bool plusAllowed = false);

// An int from -2147483647 to 2147483647, a leading '+' allowed: the host's numbers.
bool ParseInt(const std::wstring& text, int& value);
