// The notices file that drives the stand-in: JSON, UTF-8.
//   {"notices": [ {"key": "k1", "portrait": "C:\\p.bmp", "sender": "Li", "text": "hi",
//                  "time": "2024-05-17 09:30"}, ... ]}
// Every field of a notice is optional (empty text; time 0). "time" is a date "YYYY-MM-DD HH:MM[:SS]", or a FILETIME
// count of whole milliseconds as a string of decimal digits or a JSON integer: the kit sends these notices. What
// it never sends goes byte for byte: {"raw": "text with \u0000 inside"} (its UTF-16) or {"rawHex": "41 00 42"}.
#pragma once
#include "Notice.h"
#include <string>
#include <vector>

// Errors read "<problem>"; the caller names the file.
bool ParseNotices(const std::string& json, std::vector<Notice>& notices, std::string& error);
// Errors name the file: "notices file 'X': <problem>", or "notices file: cannot read 'X': <reason>".
bool LoadNoticesFile(const std::wstring& path, std::vector<Notice>& notices, std::string& error);
