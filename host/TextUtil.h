// Text helpers of the host: number parsing, file reading, error texts.
#pragma once
#include <windows.h>
#include <string>

// Whole decimal number, optionally signed; nothing else may follow.
bool ParseInt(const std::wstring& text, int& value);

// Reads a UTF-8 text file (a byte-order mark is dropped).
bool ReadTextFile(const std::wstring& path, std::wstring& text);

std::wstring LastErrorText(DWORD error);
