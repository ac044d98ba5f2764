// One item as a host loads it, built in this process (with the DLL's icons) so that a test reaches its state
// and may shorten its bounds, with the windows around it: the host, the notification area, the two sections, a
// launch recorder as the main application's program, and up to two main applications on threads of their own.
#pragma once
#include "ItemHarness.h"
#include "LaunchRecorder.h"
#include "MainApplication.h"
#include "NoticeFeed.h"
#include "NotificationArea.h"
#include "Sections.h"
#include "ThreadedMainApplication.h"
#include "frame/MessengerTodayItem.h"
#include <memory>

// n notices keyed prefix0, prefix1, ... whose times rise in list order.
std::vector<Notice> Keyed(const std::wstring& prefix, int n);

struct Stage : LoadedItem {
    Stage();
    ~Stage() { Unload(); }
    void Unload();

    ThreadedMainApplication& First(const ThreadedMainApplication::Options& options = {});
    ThreadedMainApplication& Second();
    // The first main application, linked with two notices keyed prefix0 and prefix1 and the first one painted.
    ThreadedMainApplication& Linked(const wchar_t* prefix = L"k");
    void Push(HWND main, const std::wstring& prefix, int n) const { FeedNotices(item, main, Keyed(prefix, n)); }
    void Act() const { PressAction(item); }
    void Bound(DWORD milliseconds) const { model->link.replyTimeoutMs = milliseconds; }
    // The protocol messages the item sent the host's window.
    std::vector<UINT> LinkMessagesToHost() const;

    LaunchRecorder recorder;  // before the item: it reads the install path once
    HeldSection mainSection{MAIN_SECTION_NAME};
    HeldSection todaySection{TODAY_SECTION_NAME};
    NotificationAreaWindow notificationArea;
    std::unique_ptr<ThreadedMainApplication> first, second;
    MessengerTodayItem* model = nullptr;
};
