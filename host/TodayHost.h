// The Today screen host: a window the size of a handheld's screen that loads Today items, stacks them under its
// date line, asks them every two seconds whether they changed, routes keys and selection to them, paints the
// background they draw over, shows the shell's notifications in a bar at the top, and turns when the screen
// does. Its parts: the loaded items (ItemSet), the selection and scrolling (ListState, ItemSelection), what it
// paints itself (ScreenPainter), the options dialog (OptionsDialogRunner).
#pragma once
#include <windows.h>
#include <memory>
#include <string>
#include <vector>
#include "ColorScheme.h"
#include "HostClock.h"
#include "HostMeasures.h"
#include "ItemSelection.h"
#include "ItemSet.h"
#include "ItemRegistry.h"
#include "ListState.h"
#include "NotificationArea.h"
#include "NotificationList.h"
#include "OptionsDialogRunner.h"
#include "ScreenMode.h"
#include "ScrollBar.h"
#include "ShellReadyEvent.h"
#include "Theme.h"
#include "Watermark.h"

constexpr wchar_t TODAY_HOST_CLASS[] = L"TodayHostSimulator";
constexpr UINT WININICHANGE_TODAY_ITEMS = 0xF2;  // wParam with which installers make the host reload its items
constexpr DWORD DEFAULT_REFRESH_INTERVAL_MS = 2000;
constexpr UINT_PTR HOST_REFRESH_TIMER_ID = 1;
// Posted to itself when its items are to be reloaded: the reload runs from the host's own message loop, never
// inside a call into an item (a tap's action that waits on another program takes sent messages meanwhile, a
// settings broadcast among them).
constexpr UINT HOST_RELOAD_ITEMS = WM_APP + 40;

struct HostConfig {
    ScreenMode screen;     // no size: by the screen's resolution, 240 x 320 or at 192 dpi 480 x 640
    bool setReady = true;  // set "SYSTEM/ShellAPIReady" once the host is up
    UINT refreshIntervalMs = DEFAULT_REFRESH_INTERVAL_MS;  // 0: no periodic refresh query
    std::wstring itemsKey = TODAY_ITEMS_KEY;
    std::vector<std::wstring> itemDlls;  // when given: these DLLs instead of the registry
    HostClock clock;
    Theme theme = Theme::Light;
    bool quitOnClose = true;  // post WM_QUIT when the window goes (not for a host inside a test)
};

// The resolution of the screen the host runs on: the Wine prefix's, which no program can change.
int ScreenDpi();

class TodayHost {
public:
    explicit TodayHost(HostConfig config);
    ~TodayHost();
    TodayHost(const TodayHost&) = delete;
    TodayHost& operator=(const TodayHost&) = delete;

    // Creates the ready event, the notification area and the window, loads the items and shows the screen.
    bool Create();
    // Destroys the window; the items are unloaded first.
    void Close();
    HWND Window() const { return window; }
    int Dpi() const { return measures.Dpi(); }
    // The screen's size: the client area with no scroll bar.
    SIZE ScreenSize() const { return screenSize; }
    // The device turned (or its screen changed): the window takes the new size, every item window the new
    // width, and the list is laid out again. The items' heights are asked at the next refresh query, as ever.
    bool ResizeScreen(SIZE size, std::wstring& error);

    // Items.
    void ReloadItems();
    const std::vector<std::unique_ptr<HostedItem>>& Items() const { return items.All(); }
    HostedItem* FindItem(const std::wstring& name) const { return items.Find(name); }

    // The refresh query to every item; re-lays out and repaints when one answers non-zero.
    bool RefreshItems();
    void LayoutItems();
    const StackLayout& Layout() const { return layout; }
    int ListTop() const { return measures.ListTop(notifications.Bubble() != nullptr); }

    // Selection and input.
    HostedItem* Selected() const { return selection.Selected(); }
    void PressKey(UINT virtualKey);
    void TakeSelection(HWND itemWindow);
    void ClearSelection() { selection.Clear(); }
    // Stylus down and up at a host client point, to the item window there (or the host itself).
    void Tap(POINT point);

    // Runs the options dialog of an item (null: the selected item, else the first that has one).
    bool RunOptionsDialog(HostedItem* item, DialogClose close, std::wstring& error);

    const NotificationList& Notifications() const { return notifications; }
    ShellReadyEvent& ReadyEvent() { return readyEvent; }
    const Watermark& Background() const { return watermark; }
    const ColorScheme& Colors() const { return colors; }
    // Another theme while the host runs: its colours are what TODAYM_GETCOLOR answers from now on, the
    // background is drawn anew, and the host and every item repaint (items ask for the colours as they paint).
    void SetTheme(Theme theme);

private:
    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam);
    // Message handlers.
    void OnPaint();
    void OnKeyDown(UINT virtualKey);
    void OnTimer(UINT_PTR timerId);
    LRESULT OnDrawWatermark(const TODAYDRAWWATERMARKINFO* info);
    void OnWinIniChange(WPARAM flag);
    void OnReloadItems();
    void OnVScroll(WORD request);
    void OnDestroy();
    void OnNotification(ShellNotificationOp op, const ShellNotificationRecord& record);

    // The background picture at the screen's size.
    void PrepareBackground();
    void LoadItems();
    void UnloadItems();
    void ScrollSelectionIntoView();
    int ViewportHeight() const;
    void Note(const std::wstring& text) const;
    void Notes(const std::vector<std::wstring>& notes) const;
    // While the host is inside a call into an item, a reload waits for the call to end.
    void BeginBusy() { ++busy; }
    void EndBusy();

    HostConfig config;
    HWND window = nullptr;
    HostMeasures measures;
    SIZE screenSize = {0, 0};
    ItemSet items;
    ListState list;
    ItemSelection selection{items, list};
    ScrollBar scrollBar;
    StackLayout layout = {};
    ColorScheme colors;
    Watermark watermark;
    NotificationList notifications;
    NotificationArea notificationArea;
    ShellReadyEvent readyEvent;
    OptionsDialogRunner optionsDialog;
    int busy = 0;
    bool reloadPending = false;
};
