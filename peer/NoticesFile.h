// The notices file that drives the stand-in: JSON, UTF-8.
//   {"notices": [ {"key": "k1", "portrait": "C:\\p.bmp", "sender": "Li", "text": "hi",
//                  "time": "2024-05-17 09:30"}, ... ]}
// Every field of a notice is optional (empty text; time 0). "time" is a date "YYYY-MM-DD HH:MM[:SS]", a string
// of decimal digits taken as is, or a JSON integer. For odd payloads a notice may instead be
// {"raw": "text with \u0000 inside"} (its UTF-16 sent as is) or {"rawHex": "41 00 42"} (bytes sent as is).
#pragma once
#include "Notice.h"
#include <string>
#include <vector>

// Errors read "<problem>"; the caller names the file.
bool ParseNotices(const std::string& json, std::vector<NoticePayload>& notices, std::string& error);
// Errors name the file: "notices file 'X': <problem>", or "notices file: cannot read 'X': <reason>".
bool LoadNoticesFile(const std::wstring& path, std::vector<NoticePayload>& notices, std::string& error);
