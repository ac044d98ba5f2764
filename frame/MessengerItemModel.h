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
#include "../render/FittedPortraits.h"
#include "../settings/RegistryKey.h"
#include "../platform/WideString.h"

class MessengerItemModel : public TodayItemBase {
public:
    explicit MessengerItemModel(HINSTANCE module);
    virtual ~MessengerItemModel();

    int OnWindowCreated();                                             // slot 1
    int OnAnimationTick(int tickCount, DWORD elapsedMs);               // slot 2
    int OnHighlightTimeout();                                          // slot 3
    int OnAction();                                                    // slot 8
    BOOL OnCustomMessage(UINT message, WPARAM wParam, LPARAM lParam);  // slot 11
    virtual void QueryColors() = 0;                                             // slot 21
    virtual void Invalidate() = 0;                                              // slot 22

    // Resets the animation state and marks the item dirty.
    void StopAnimation();

    // Paging.
    void GoPrevious();
    void GoNext();

    // Launch and activation.
    bool LaunchMainApplication();
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
    wchar_t installPath[REGISTRY_TEXT_MAX_UNITS];
    bool chineseLanguage;
    // The notices, status mode, "TodayFileMapping" and the main application's window.
    MainLink link;
    ShellReadiness shellReadiness;
    SystemFontSizeSetting fontSizeSetting;

    StartedProgram startedProgram;

    // The notice on screen: the one the last paint drew (none after a one-line paint), its key kept for the
    // action, which hands back what the user saw whatever the list holds by then.
    bool noticeShown;
    WideString shownKey;
    unsigned paints;  // paints so far: tells the action whether the screen changed while it waited
    bool wholeRepaintAsked;  // the last paint reached only part of the window and asked for all of it
    // The portraits as stretched for their cells, kept between paints.
    FittedPortraits fittedPortraits;

    // Destroys the item window for a new one; its timers go with it, so nothing stays lit or running.
    void ReleaseWindow();
    // A destroy message reached the item window. Anyone may send or post one, and the window's real destruction
    // (by its host, say) can run inside a message another thread sent: only once the message is over does the
    // window's existence tell the two apart. So the item looks again from a zero-delay timer of its thread.
    void OnDestroyMessage(HWND window);
    // That timer: a window that no longer exists is let go, no handle to it kept or published.
    void CheckWindowStillExists(UINT_PTR timerId);
    bool ExistenceCheckPending() const { return existenceCheckTimer != 0; }

    // Notices left the list: the animation that pages them stops, the host learns the item changed, and the
    // copies of their portraits go.
    void NoticesDropped();
    // Keeps only the portrait copies of the loaded portraits of notices still held.
    void ReleaseUnusedPortraitCopies();

private:
    // Brings the main application up; true when that included looking for its window or starting it, so
    // that one action does that at most once.
    bool BringUpMainApplication();

    // The item window was destroyed, by anyone but the item: it says goodbye and withdraws its published handle.
    void OnWindowDestroyed();

    MessengerItemModel(const MessengerItemModel&);
    MessengerItemModel& operator=(const MessengerItemModel&);

    bool actionRunning;            // an action that arrives meanwhile (sent back while it waits) does nothing
    UINT_PTR existenceCheckTimer;  // the thread timer of a pending CheckWindowStillExists; killed at unload
};
