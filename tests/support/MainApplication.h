// The messenger's main application as the item meets it: a window that pushes notices to the item and
// answers the item's requests, recording them.
#pragma once
#include "RecordingWindow.h"
#include <string>
#include <vector>

struct Notice {
    std::wstring key;
    std::wstring portraitPath;
    std::wstring sender;
    std::wstring text;
    ULONGLONG time = 0;  // FILETIME units
};

// The copy-data payload of one notice: five U+0000-separated fields, the time in decimal.
std::wstring NoticePayload(const Notice& notice);
// Sends one notice to the item as the main application does (copy-data, dwData 0).
LRESULT SendNotice(HWND item, HWND sender, const Notice& notice);
// Notices keyed "k0", "k1", ... with rising times, so sorting keeps this order.
std::vector<Notice> NumberedNotices(int count);

// Answers ping 1, activation 1 and copy-data 1 unless told otherwise through `answers`.
class MainApplicationWindow : public RecordingWindow {
public:
    MainApplicationWindow(const wchar_t* className = L"TestMainApplication", const wchar_t* title = L"Main");

    // Attach (the item forgets its notices and learns this window), the notices, then sort.
    void Attach(HWND item) const;
    void Show(HWND item, const std::vector<Notice>& notices) const;
    // The keys handed back to this window, in order.
    std::vector<std::wstring> KeysReceived() const;
};
