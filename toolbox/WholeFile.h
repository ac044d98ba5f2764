// Reading a whole file, with an error that names it.
#pragma once
#include <string>

// The file's bytes as they are. Others may be writing it meanwhile (a log a program still appends to). On failure,
// false with `error` as "cannot read 'PATH': REASON".
bool ReadWholeFile(const std::wstring& path, std::string& bytes, std::wstring& error);
