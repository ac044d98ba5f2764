// Notices files the tests feed to the program, and the payloads the item must receive for them.
#pragma once
#include <string>

using namespace std::literals;

// Two notices: a date converted to a FILETIME count, a count given as is, Chinese text, a line break.
inline const char kTwoNoticesJson[] =
    u8R"({"notices":[
    {"key":"k1","portrait":"C:\\p1.bmp","sender":"Li","text":"hi","time":"2024-05-17 09:30"},
    {"key":"k2","portrait":"","sender":"韩梅梅","text":"line\nbreak","time":"133604118150000000"}]})";
inline const std::wstring kFirstPayload =
    L"k1\0C:\\p1.bmp\0Li\0hi\0"
    L"133604118000000000"s;
inline const std::wstring kSecondPayload =
    L"k2\0\0\u97E9\u6885\u6885\0line\nbreak\0"
    L"133604118150000000"s;

// One notice whose payload is given raw: embedded NULs, a terminator counted in the byte count.
inline const char kRawNoticeJson[] = R"({"notices":[{"raw":"k3\u0000\u0000Wu\u0000\u00007\u0000"}]})";
inline const std::wstring kRawPayload =
    L"k3\0\0Wu\0\0"
    L"7\0"s;
