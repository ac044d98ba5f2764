// The item's own text type read and compared as the tests' wide strings.
#pragma once
#include "platform/WideString.h"
#include "toolbox/Utf8.h"
#include <ostream>
#include <string>

inline std::wstring Text(const WideString& text) { return std::wstring(text.Text(), text.Length()); }
inline bool operator==(const WideString& text, const std::wstring& expected) {
    return text.Equals(expected.data(), expected.size());
}
inline bool operator!=(const WideString& text, const std::wstring& expected) { return !(text == expected); }
inline void PrintTo(const WideString& text, std::ostream* os) { *os << '"' << ToUtf8(Text(text)) << '"'; }
