// Level 3 of the item: the messenger state (notices and the link to the main application, layout, colours,
// icons, install path). Its link, painting and settings operations forward to the components below.
#pragma once
#include "../link/MainLink.h"
#include "../render/ItemIcons.h"
#include "../render/ItemLayout.h"
#include "../settings/StartedProgram.h"
#include "../settings/SystemFontSize.h"
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
    // Shows a running main application found by its window, or starts the program unless the one started
    // last is still coming up.
    void ShowOrStartMainApplication();

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
    SystemFontSizeSetting fontSizeSetting;

    StartedProgram startedProgram;

    // Destroys the item window for a new one; its timers go with it, so nothing stays lit or running.
    void ReleaseWindow();
    // The item window is being destroyed, by the item or by anyone else: no handle to it is kept or published.
    void OnWindowDestroyed(HWND destroyed);

private:
    // Brings the main application up; true when that included looking for its window or starting it, so
    // that one action does that at most once.
    bool BringUpMainApplication();
    // Notices left the list: the animation that pages them stops, and the host learns the item changed.
    void NoticesDropped();

    bool actionRunning = false;  // an action that arrives meanwhile (sent back while it waits) does nothing
};
