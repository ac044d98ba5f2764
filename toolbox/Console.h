// Messages of the programs around the item for whoever started them, as UTF-8 so that Chinese texts survive
// Wine's console and pipes. Each call is written at once, nothing is buffered: a message written just before a
// crash or a forced end is not lost.
#pragma once
#include <string>

// The bytes as they are.
void WriteOutput(const std::string& utf8);
void WriteError(const std::string& utf8);

// One line: the text as UTF-8 and a line feed.
void PrintOut(const std::wstring& line);
void PrintError(const std::wstring& line);
