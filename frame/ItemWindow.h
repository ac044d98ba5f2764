// Level 1 of the item: its window, its timer state and its dirty flag.
#pragma once
#include <windows.h>

const UINT_PTR HIGHLIGHT_TIMER_ID = 6;

class ItemWindow {
public:
    ItemWindow();
    virtual ~ItemWindow();                                                  // slot 0
    virtual int OnWindowCreated() = 0;                                      // slot 1
    virtual int OnAnimationTick(int tickCount, DWORD elapsedMs) = 0;        // slot 2
    virtual int OnHighlightTimeout() = 0;                                   // slot 3
    virtual void OnOtherTimer(UINT message, UINT_PTR timerId, DWORD time);  // slot 4

    bool CreateItemWindow(WNDPROC procedure, HWND parent, const wchar_t* className, const wchar_t* windowName,
                          bool visible);
    int DestroyItemWindow();
    UINT_PTR StartHighlightTimer(UINT intervalMs);

    HWND window;
    // The parent given at creation: the host. Anyone can re-parent the window later; the host stays this one.
    HWND parentWindow;
    WNDPROC windowProc;
    const wchar_t* className;   // the class and the name given at creation: the item's constants
    const wchar_t* windowName;
    // The animation's state. Nothing starts an animation: StopAnimation only resets it.
    DWORD animationStartTick;
    bool animationRunning;
    int animationTickCount;
    bool highlightTimerRunning;
    bool dirty;
    bool classRegistered;  // also after the window was destroyed by others: unregistered with the window
};
