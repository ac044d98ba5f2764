// The time the host shows in its bar and date line: the local time, or a fixed one so that screenshots of
// the same state look the same on every run.
#pragma once
#include <windows.h>
#include <string>

class HostClock {
public:
    // "YYYY-MM-DD HH:MM"; false when the text is not such a time.
    bool Freeze(const std::wstring& text);
    SYSTEMTIME Now() const;

    std::wstring LongDate() const;   // in the user's locale, e.g. "Sunday, December 7, 2025"
    std::wstring ShortTime() const;  // "9:41"

private:
    bool frozen = false;
    SYSTEMTIME fixed = {};
};
