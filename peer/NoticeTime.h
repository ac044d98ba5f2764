// Notice times as a notices file gives them, as the moments the kit sends: local time to show, taken as it is
// (the item converts nothing).
#pragma once
#include <windows.h>
#include <string>

// "YYYY-MM-DD HH:MM" or "YYYY-MM-DD HH:MM:SS" as the moment it names. False when the text is not such a date or
// the date does not exist.
bool SystemTimeFromDate(const std::string& date, SYSTEMTIME& moment);
// A FILETIME count as the moment it names. False unless a SYSTEMTIME holds it exactly (whole milliseconds up to
// the year 30827): the only counts the kit sends.
bool SystemTimeFromCount(ULONGLONG count, SYSTEMTIME& moment);
// Decimal digits only.
bool IsDecimalCount(const std::string& text);
