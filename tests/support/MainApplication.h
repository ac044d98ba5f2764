// The messenger's main application as the item meets it: a window that pushes notices to the item and
// answers the item's requests, recording them.
#pragma once
#include "RecordingWindow.h"
#include "NoticeFeed.h"
#include <string>
#include <vector>

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
