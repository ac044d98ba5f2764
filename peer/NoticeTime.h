// Notice times as the item expects them: a FILETIME count written in decimal, carrying the local time to
// show (the item converts nothing).
#pragma once
#include <string>

// "YYYY-MM-DD HH:MM" or "YYYY-MM-DD HH:MM:SS" to the decimal FILETIME count of that moment, taken as is.
// False when the text is not such a date or the date does not exist.
bool FileTimeTextFromDate(const std::string& date, std::string& decimal);
// An optional '-' and then decimal digits only.
bool IsDecimalCount(const std::string& text);
