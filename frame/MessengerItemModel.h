// Level 3 of the item: the messenger state (notices and the link to the main application, layout, colours,
// icons, install path). Its link, painting and settings operations forward to the components below.
#pragma once
#include "../link/MainLink.h"
#include "../render/ItemIcons.h"
#include "../render/ItemLayout.h"
#include "ShellReadiness.h"
#include "TodayItemBase.h"
#include <string>

class MessengerItemModel : public TodayItemBase {
public:
    explicit MessengerItemModel(HINSTANCE module);
    ~MessengerItemModel() override;

    int OnWindowCreated() override;                                             // slot 1
    int OnAnimationTick(int tickCount, DWORD elapsedMs) override;               // slot 2
    int OnHighlightTimeout() override;                                          // slot 3
    int OnAction() override;                                                    // slot 8
    BOOL OnCustomMessage(UINT message, WPARAM wParam, LPARAM lParam) override;  // slot 11
    virtual void QueryColors() = 0;                                             // slot 21
    virtual void Invalidate() = 0;                                              // slot 22

    // Animation and link.
    void StopAnimation();
    void ClearAll();
    void SortNotices();
    void AddNotice(const COPYDATASTRUCT* record);
    bool SendCopyData(ULONG_PTR dwData, const void* data, DWORD byteCount);

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
    int animationCountdown;
    std::wstring installPath;
    bool chineseLanguage;
    // The notices, status mode, "TodayFileMapping" and the main application's window.
    MainLink link;
    ShellReadiness shellReadiness;

    // Destroys the item window for a new one; its timers go with it, so nothing stays lit or running.
    void ReleaseWindow();

private:
    // Brings the main application up; true when that meant starting it, so one action starts it once.
    bool BringUpMainApplication();
};
