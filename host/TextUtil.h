// Text helpers shared by the host: UTF-8 conversion, console output, number parsing, file reading.
#pragma once
#include <windows.h>
#include <string>

std::string ToUtf8(const std::wstring& text);
std::wstring FromUtf8(const std::string& text);

// Writes one line as UTF-8, so Chinese texts survive Wine's console and pipes.
void PrintOut(const std::wstring& line);
void PrintError(const std::wstring& line);

// Whole decimal number, optionally signed; nothing else may follow.
bool ParseInt(const std::wstring& text, int& value);

// Reads a UTF-8 text file (a byte-order mark is dropped).
bool ReadTextFile(const std::wstring& path, std::wstring& text);

std::wstring LastErrorText(DWORD error);
