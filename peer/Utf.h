// Text conversions between the UTF-8 of files and transcripts and the UTF-16 of the platform.
#pragma once
#include <windows.h>
#include <string>
#include <vector>

// Embedded NULs are kept. False on ill-formed UTF-8.
bool Utf8ToWide(const std::string& utf8, std::wstring& wide);
// Ill-formed UTF-16 (lone surrogates) becomes U+FFFD.
std::string WideToUtf8(const std::wstring& wide);
// Lower-case hex, two digits per byte, no separators.
std::string BytesToHex(const BYTE* bytes, size_t count);
// Hex digit pairs; spaces between pairs are allowed. False on anything else or an odd digit count.
bool HexToBytes(const std::string& hex, std::vector<BYTE>& bytes);
