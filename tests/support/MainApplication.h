// The messenger's main application as the item meets it: a window that pushes notices to the item and
// answers the item's requests, recording them.
#pragma once
#include "RecordingWindow.h"
#include "NoticeFeed.h"
#include "kit/LinkWire.h"
#include <map>
#include <string>
#include <vector>

// The messages the item sends a main application: attach, goodbye, ping, activation and handed-back keys.
inline bool FromItem(UINT message) {
    return message == LINKM_ITEM_ATTACH || message == LINKM_ITEM_DETACH || message == LINKM_PING ||
           message == LINKM_ACTIVATE || message == WM_COPYDATA;
}
// A live main application's answers to the item: ping, activation and copy-data 1.
inline const std::map<UINT, LRESULT> kMainApplicationAnswers = {{LINKM_PING, 1}, {LINKM_ACTIVATE, 1}, {WM_COPYDATA, 1}};

// Answers as kMainApplicationAnswers unless told otherwise through `answers`.
class MainApplicationWindow : public RecordingWindow {
public:
    MainApplicationWindow(const wchar_t* className = L"TestMainApplication", const wchar_t* title = L"Main");

    // Attach (the item forgets its notices and learns this window), the notices, then sort.
    void Attach(HWND item) const;
    void Show(HWND item, const std::vector<Notice>& notices) const;
    // The keys handed back to this window, in order.
    std::vector<std::wstring> KeysReceived() const;
};

// What the main application receives from the item, as expected sequences.
// The item tells the main application its window (null when it has none) when it starts.
std::vector<ExpectedMessage> AttachAnnouncement(HWND item);
// The item's goodbye when it unloads while linked.
std::vector<ExpectedMessage> ItemGoodbye(HWND item);
// The liveness ping of a refresh query.
inline const std::vector<ExpectedMessage> kPing = {{LINKM_PING, Delivery::Sent, 0}};
// The action: the item asks to be brought to the front, then hands back the shown notice's key.
std::vector<ExpectedMessage> KeyHandBack(HWND item, const std::wstring& key);
