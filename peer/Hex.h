// Bytes as hex digits, for the transcript's copy of a payload and the notices file's raw bytes.
#pragma once
#include <windows.h>
#include <string>
#include <vector>

// Lower-case hex, two digits per byte, no separators.
std::string BytesToHex(const BYTE* bytes, size_t count);
// Hex digit pairs; spaces between pairs are allowed. False on anything else or an odd digit count.
bool HexToBytes(const std::string& hex, std::vector<BYTE>& bytes);
