// Level 3 of the item: the messenger state (notices, layout, colours, icons, install path) and the link
// to the main application.
#pragma once
#include "TodayItemBase.h"
#include "../link/MessageList.h"
#include "../link/SharedSection.h"
#include "../render/ItemIcons.h"
#include "../render/ItemLayout.h"
#include <string>

class MessengerItemModel : public TodayItemBase {
public:
    explicit MessengerItemModel(HINSTANCE module);
    ~MessengerItemModel() override;

    int OnWindowCreated() override;                                // slot 1
    int OnAnimationTick(int tickCount, DWORD elapsedMs) override;  // slot 2
    int OnHighlightTimeout() override;                             // slot 3
    int OnAction() override;                                       // slot 8
    BOOL OnCustomMessage(UINT message, WPARAM wParam, LPARAM lParam) override;  // slot 11
    virtual void QueryColors() = 0;                                // slot 21
    virtual void Invalidate() = 0;                                 // slot 22

    // Animation and link.
    void StopAnimation();
    void ClearAll();
    void SortNotices();
    void AddNotice(const COPYDATASTRUCT* record);
    bool SendCopyData(ULONG_PTR dwData, const void* data, DWORD byteCount);
    // Every message to the main application goes through here: a bounded wait, 0 when it fails.
    LRESULT SendToMainWindow(UINT message, WPARAM wParam, LPARAM lParam);
    // The liveness ping of the refresh query: true when the main application answered.
    bool PingMainApplication();

    // Paging.
    void GoPrevious();
    void GoNext();

    // Launch and activation.
    bool LaunchMainApplication();
    bool ActivateMainApplication();

    bool prevArrowLit;
    bool nextArrowLit;
    ItemIcons icons;
    COLORREF textColor;
    COLORREF highlightedTextColor;
    COLORREF highlightColor;
    COLORREF currentTextColor;
    ItemLayout layout;
    MessageList notices;
    int animationCountdown;
    bool statusMode;
    std::wstring installPath;
    bool chineseLanguage;
    SharedSection todaySection;
    HWND mainWindow;
};

// How long the item waits for the main application to answer one message before taking the answer as 0,
// so that a hung application never freezes the Today screen.
#define MAIN_APPLICATION_REPLY_TIMEOUT_MS 3000
