#include "NoticeTime.h"
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

bool SystemTimeFromDate(const std::string& date, SYSTEMTIME& moment) {
    moment = {};
    if (date.size() != 16 && date.size() != 19) return false;
    if (date[4] != '-' || date[7] != '-' || date[10] != ' ' || date[13] != ':') return false;
    if (!ReadNumber(date, 0, 4, moment.wYear) || !ReadNumber(date, 5, 2, moment.wMonth) ||
        !ReadNumber(date, 8, 2, moment.wDay) || !ReadNumber(date, 11, 2, moment.wHour) ||
        !ReadNumber(date, 14, 2, moment.wMinute))
        return false;
    if (date.size() == 19 && (date[16] != ':' || !ReadNumber(date, 17, 2, moment.wSecond))) return false;
    // SystemTimeToFileTime checks the ranges (month 13, 30 February, hour 24).
    FILETIME count;
    return SystemTimeToFileTime(&moment, &count) != FALSE;
}

bool SystemTimeFromCount(ULONGLONG count, SYSTEMTIME& moment) {
    ULARGE_INTEGER value;
    value.QuadPart = count;
    const FILETIME given = {value.LowPart, value.HighPart};
    FILETIME back;
    return FileTimeToSystemTime(&given, &moment) && SystemTimeToFileTime(&moment, &back) &&
           CompareFileTime(&given, &back) == 0;
}

bool IsDecimalCount(const std::string& text) {
    if (text.empty() || text.size() > 20) return false;
    for (char c : text)
        if (!isdigit(static_cast<unsigned char>(c))) return false;
    return true;
}
