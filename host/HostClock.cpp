#include "HostClock.h"
#include <cstdio>

bool HostClock::Freeze(const std::wstring& text) {
    int year, month, day, hour, minute;
    wchar_t extra;
    if (swscanf(text.c_str(), L"%d-%d-%d %d:%d%lc", &year, &month, &day, &hour, &minute, &extra) != 5) return false;
    SYSTEMTIME time = {};
    time.wYear = static_cast<WORD>(year);
    time.wMonth = static_cast<WORD>(month);
    time.wDay = static_cast<WORD>(day);
    time.wHour = static_cast<WORD>(hour);
    time.wMinute = static_cast<WORD>(minute);
    // A round trip through FILETIME rejects impossible dates and fills in the day of the week.
    FILETIME asFileTime;
    if (hour > 23 || minute > 59 || !SystemTimeToFileTime(&time, &asFileTime) ||
        !FileTimeToSystemTime(&asFileTime, &time))
        return false;
    fixed = time;
    frozen = true;
    return true;
}

SYSTEMTIME HostClock::Now() const {
    if (frozen) return fixed;
    SYSTEMTIME now;
    GetLocalTime(&now);
    return now;
}

std::wstring HostClock::LongDate() const {
    SYSTEMTIME now = Now();
    wchar_t text[128] = L"";
    if (!GetDateFormatW(LOCALE_USER_DEFAULT, DATE_LONGDATE, &now, nullptr, text, ARRAYSIZE(text)))
        swprintf(text, ARRAYSIZE(text), L"%04d-%02d-%02d", now.wYear, now.wMonth, now.wDay);
    return text;
}

std::wstring HostClock::ShortTime() const {
    SYSTEMTIME now = Now();
    wchar_t text[16];
    swprintf(text, ARRAYSIZE(text), L"%d:%02d", now.wHour, now.wMinute);
    return text;
}
