#include "NoticeTime.h"
#include <windows.h>
#include <cctype>

namespace {

// Reads exactly `width` digits at `position`.
bool ReadNumber(const std::string& text, size_t position, size_t width, WORD& value) {
    if (position + width > text.size()) return false;
    value = 0;
    for (size_t i = position; i < position + width; ++i) {
        if (!isdigit(static_cast<unsigned char>(text[i]))) return false;
        value = static_cast<WORD>(value * 10 + (text[i] - '0'));
    }
    return true;
}

}  // namespace

bool FileTimeTextFromDate(const std::string& date, std::string& decimal) {
    SYSTEMTIME moment = {};
    if (date.size() != 16 && date.size() != 19) return false;
    if (date[4] != '-' || date[7] != '-' || date[10] != ' ' || date[13] != ':') return false;
    if (!ReadNumber(date, 0, 4, moment.wYear) || !ReadNumber(date, 5, 2, moment.wMonth) ||
        !ReadNumber(date, 8, 2, moment.wDay) || !ReadNumber(date, 11, 2, moment.wHour) ||
        !ReadNumber(date, 14, 2, moment.wMinute))
        return false;
    if (date.size() == 19 && (date[16] != ':' || !ReadNumber(date, 17, 2, moment.wSecond))) return false;
    // SystemTimeToFileTime checks the ranges (month 13, 30 February, hour 24) and converts no time zone.
    FILETIME count;
    if (!SystemTimeToFileTime(&moment, &count)) return false;
    ULARGE_INTEGER value;
    value.LowPart = count.dwLowDateTime;
    value.HighPart = count.dwHighDateTime;
    decimal = std::to_string(value.QuadPart);
    return true;
}

bool IsDecimalCount(const std::string& text) {
    size_t start = !text.empty() && text[0] == '-' ? 1 : 0;
    if (start == text.size()) return false;
    for (size_t i = start; i < text.size(); ++i)
        if (!isdigit(static_cast<unsigned char>(text[i]))) return false;
    return true;
}
