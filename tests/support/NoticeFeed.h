// Feeds the item as the messenger's main application does: attach, one copy-data message per notice, sort.
#pragma once
#include <windows.h>
#include <string>
#include <vector>

struct Notice {
    std::wstring key = L"k";
    std::wstring portraitPath;  // empty: no portrait, the item draws the grey frame
    std::wstring sender = L"Sender";
    std::wstring text = L"Text";
    std::wstring time = L"0";  // the fifth field as sent: a decimal FILETIME
};

// The decimal FILETIME of a day at the given hour and minute (no time-zone conversion anywhere).
std::wstring TimeField(int hour, int minute, int day = 6);

// Fields joined by U+0000, as the main application writes them, no terminator.
std::wstring JoinFields(const std::vector<std::wstring>& fields);
// "key\0portraitPath\0sender\0text\0time".
std::wstring NoticePayload(const Notice& notice);
// A notice with only a key and a time; sender and text are made from the key.
std::wstring NoticePayload(const std::wstring& key, ULONGLONG time);
// Any payload, well-formed or not, by WM_COPYDATA with dwData = kind; the item's answer.
LRESULT SendNotice(HWND item, const std::wstring& payload, ULONG_PTR kind = 0);

// One copy-data notice (dwData 0) from the given sender window; the item's answer.
LRESULT SendNotice(HWND item, const Notice& notice, HWND sender = nullptr);
// Attach (the list is emptied), the notices in order, then sort.
void FeedNotices(HWND item, HWND mainWindow, const std::vector<Notice>& notices);
// n notices keyed "k0", "k1", ... (senders and texts counted from 1) whose times rise in list order, so
// sorting keeps them as given.
std::vector<Notice> NumberedNotices(int n);
