// The Today screen host: a portrait window that loads Today items, stacks them under its date line, asks
// them every two seconds whether they changed, routes keys and selection to them, paints the background they
// draw over, and shows the shell's notifications in a bar at the top.
#pragma once
#include <windows.h>
#include <memory>
#include <string>
#include <vector>
#include "ColorScheme.h"
#include "HostClock.h"
#include "HostedItem.h"
#include "ItemRegistry.h"
#include "ItemStack.h"
#include "NotificationArea.h"
#include "NotificationList.h"
#include "ShellReadyEvent.h"
#include "Watermark.h"

constexpr wchar_t TODAY_HOST_CLASS[] = L"TodayHostSimulator";
constexpr UINT WININICHANGE_TODAY_ITEMS = 0xF2;  // wParam with which installers make the host reload its items
constexpr DWORD DEFAULT_REFRESH_INTERVAL_MS = 2000;
constexpr UINT_PTR HOST_REFRESH_TIMER_ID = 1;
constexpr UINT_PTR HOST_DIALOG_GUARD_TIMER_ID = 2;

struct HostConfig {
    SIZE clientSize = {0, 0};  // 0 x 0: from the screen's resolution, QVGA (240 x 320) or at 192 dpi VGA
    bool setReady = true;      // set "SYSTEM/ShellAPIReady" once the host is up
    UINT refreshIntervalMs = DEFAULT_REFRESH_INTERVAL_MS;  // 0: no periodic refresh query
    std::wstring itemsKey = TODAY_ITEMS_KEY;
    std::vector<std::wstring> itemDlls;  // when given: these DLLs instead of the registry
    HostClock clock;
    bool quitOnClose = true;  // post WM_QUIT when the window goes (not for a host inside a test)
};

enum class DialogClose { None, Ok, Cancel };

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
    int Dpi() const { return dpi; }
    int Scale(int pixelsAt96) const { return MulDiv(pixelsAt96, dpi, 96); }

    // Items.
    void LoadItems();
    void UnloadItems();
    void ReloadItems();
    const std::vector<std::unique_ptr<HostedItem>>& Items() const { return items; }
    HostedItem* FindItem(const std::wstring& name) const;
    HostedItem* ItemOfWindow(HWND itemWindow) const;

    // The refresh query to every item; re-lays out and repaints when one answers non-zero.
    bool RefreshItems();
    void LayoutItems();
    const StackLayout& Layout() const { return layout; }
    int ListTop() const;

    // Selection and input.
    HostedItem* Selected() const;
    void PressKey(UINT virtualKey);
    void TakeSelection(HWND itemWindow);
    void ClearSelection();
    // Stylus down and up at a host client point, to the item window there (or the host itself).
    void Tap(POINT point);

    // Runs the options dialog of an item (null: the selected item, else the first that has one).
    bool RunOptionsDialog(HostedItem* item, DialogClose close, std::wstring& error);

    const NotificationList& Notifications() const { return notifications; }
    ShellReadyEvent& ReadyEvent() { return readyEvent; }
    const Watermark& Background() const { return watermark; }
    const ColorScheme& Colors() const { return colors; }

    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
    void Attach(HWND created) { window = created; }  // from WM_NCCREATE, before CreateWindowExW returns

private:
    // Message handlers.
    void OnPaint();
    void OnKeyDown(UINT virtualKey);
    void OnTimer(UINT_PTR timerId);
    LRESULT OnDrawWatermark(const TODAYDRAWWATERMARKINFO* info);
    void OnWinIniChange(WPARAM flag);
    void OnEnterIdle(WPARAM reason, HWND dialog);
    void OnVScroll(WORD request);
    void OnDestroy();
    void OnNotification(ShellNotificationOp op, const ShellNotificationRecord& record);

    // Helpers.
    void MoveSelection(UINT virtualKey);
    void Select(int index);
    void RepaintItem(int index);
    void ScrollSelectionIntoView();
    void UpdateScrollBar(int contentHeight, int viewportHeight);
    void PaintBar(HDC dc, const RECT& client);
    void PaintBubble(HDC dc, const RECT& bubble);
    void PaintHeader(HDC dc, const RECT& header);
    int BubbleHeight() const;
    void Note(const std::wstring& text) const;
    void BeginBusy() { ++busy; }
    void EndBusy();
    int IndexOf(const HostedItem* item) const;

    HostConfig config;
    HWND window = nullptr;
    int dpi = 96;
    std::vector<std::unique_ptr<HostedItem>> items;
    int selected = -1;
    int scrollOffset = 0;
    bool scrollBarShown = false;
    StackLayout layout = {};
    ColorScheme colors;
    Watermark watermark;
    NotificationList notifications;
    NotificationArea notificationArea;
    ShellReadyEvent readyEvent;
    int busy = 0;  // inside a call into an item: a reload must wait
    bool reloadPending = false;
    DialogClose pendingDialogClose = DialogClose::None;
    bool dialogGuardFired = false;
};

LRESULT CALLBACK TodayHostWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
