#include "TodayHost.h"
#include "toolbox/Console.h"

namespace {

SIZE DefaultClientSize(int dpi) { return dpi >= 192 ? SIZE{480, 640} : SIZE{240, 320}; }

bool RegisterHostClass(HINSTANCE instance) {
    WNDCLASSW windowClass = {};
    if (GetClassInfoW(instance, TODAY_HOST_CLASS, &windowClass)) return true;
    windowClass.style = CS_HREDRAW | CS_VREDRAW;
    windowClass.lpfnWndProc = TodayHostWindowProc;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
    windowClass.lpszClassName = TODAY_HOST_CLASS;
    return RegisterClassW(&windowClass) != 0;
}

struct OwnedDialogSearch {
    HWND owner;
    HWND found;
};

BOOL CALLBACK MatchOwnedDialog(HWND candidate, LPARAM context) {
    auto search = reinterpret_cast<OwnedDialogSearch*>(context);
    wchar_t className[16];
    if (GetWindow(candidate, GW_OWNER) == search->owner && GetClassNameW(candidate, className, 16) &&
        wcscmp(className, L"#32770") == 0) {
        search->found = candidate;
        return FALSE;
    }
    return TRUE;
}

HWND FindOwnedDialog(HWND owner) {
    OwnedDialogSearch search = {owner, nullptr};
    EnumThreadWindows(GetCurrentThreadId(), MatchOwnedDialog, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

}  // namespace

TodayHost::TodayHost(HostConfig hostConfig)
    : config(std::move(hostConfig)),
      notificationArea(
          [this](ShellNotificationOp op, const ShellNotificationRecord& record) { OnNotification(op, record); }) {}

TodayHost::~TodayHost() { Close(); }

bool TodayHost::Create() {
    if (!readyEvent.Create()) Note(std::wstring(L"cannot create the event ") + SHELL_READY_EVENT_NAME);
    if (!notificationArea.Create()) Note(L"cannot create the notification area window");

    HINSTANCE instance = GetModuleHandleW(nullptr);
    if (!RegisterHostClass(instance)) return false;
    {
        WindowDC screen(nullptr);
        dpi = screen.get() ? GetDeviceCaps(screen.get(), LOGPIXELSY) : 96;
    }
    if (dpi <= 0) dpi = 96;
    SIZE client = config.clientSize.cx > 0 ? config.clientSize : DefaultClientSize(dpi);
    const DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN;
    RECT frame = {0, 0, client.cx, client.cy};
    AdjustWindowRectEx(&frame, style, FALSE, 0);
    window = CreateWindowExW(0, TODAY_HOST_CLASS, L"Today", style, CW_USEDEFAULT, CW_USEDEFAULT,
                             frame.right - frame.left, frame.bottom - frame.top, nullptr, nullptr, instance, this);
    if (!window) return false;
    {
        WindowDC dc(window);
        watermark.Prepare(dc.get(), client, dpi);
    }
    // Items test the event before they call the shell, so it is set before the first item loads.
    if (config.setReady) readyEvent.Set();
    LoadItems();
    if (config.refreshIntervalMs) SetTimer(window, HOST_REFRESH_TIMER_ID, config.refreshIntervalMs, nullptr);
    ShowWindow(window, SW_SHOW);
    UpdateWindow(window);
    return true;
}

void TodayHost::Close() {
    if (window) DestroyWindow(window);
}

HostedItem* TodayHost::FindItem(const std::wstring& name) const {
    for (const auto& item : items)
        if (_wcsicmp(item->Name(), name.c_str()) == 0) return item.get();
    return nullptr;
}

HostedItem* TodayHost::ItemOfWindow(HWND itemWindow) const {
    for (const auto& item : items)
        if (item->window && item->window == itemWindow) return item.get();
    return nullptr;
}

int TodayHost::IndexOf(const HostedItem* item) const {
    for (size_t i = 0; i < items.size(); ++i)
        if (items[i].get() == item) return static_cast<int>(i);
    return -1;
}

void TodayHost::Note(const std::wstring& text) const { PrintError(L"TodayHost: " + text); }

void TodayHost::EndBusy() {
    if (--busy == 0 && reloadPending) {
        reloadPending = false;
        ReloadItems();
    }
}

void TodayHost::OnTimer(UINT_PTR timerId) {
    if (timerId == HOST_REFRESH_TIMER_ID) {
        RefreshItems();
    } else if (timerId == HOST_DIALOG_GUARD_TIMER_ID) {
        KillTimer(window, HOST_DIALOG_GUARD_TIMER_ID);
        // The dialog never went idle: end it so that a script cannot hang on it.
        HWND dialog = FindOwnedDialog(window);
        if (dialog) {
            dialogGuardFired = true;
            EndDialog(dialog, 0);
        }
    }
}

void TodayHost::OnWinIniChange(WPARAM flag) {
    if (flag != WININICHANGE_TODAY_ITEMS) return;
    // Arriving while an item is inside a call (a sent message from another program): its DLL must not go away
    // under it, so the reload waits for the call to end.
    if (busy) reloadPending = true;
    else ReloadItems();
}

void TodayHost::OnNotification(ShellNotificationOp op, const ShellNotificationRecord& record) {
    if (!notifications.Apply(op, record) || !window) return;
    LayoutItems();  // the bubble takes room above the list
}

void TodayHost::OnDestroy() {
    KillTimer(window, HOST_REFRESH_TIMER_ID);
    // Children still exist here: the items are unloaded while their windows are alive.
    UnloadItems();
    readyEvent.Reset();
    window = nullptr;
    if (config.quitOnClose) PostQuitMessage(0);
}

LRESULT TodayHost::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_PAINT:
        OnPaint();
        return 0;
    case WM_ERASEBKGND:
        return 1;  // the paint covers everything
    case WM_KEYDOWN:
        OnKeyDown(static_cast<UINT>(wParam));
        return 0;
    case WM_LBUTTONDOWN:
        ClearSelection();  // a tap on the host's own area (date line, empty space)
        return 0;
    case WM_TIMER:
        OnTimer(wParam);
        return 0;
    case WM_VSCROLL:
        OnVScroll(LOWORD(wParam));
        return 0;
    case WM_SETTINGCHANGE:  // WM_WININICHANGE
        OnWinIniChange(wParam);
        return 0;
    case WM_ENTERIDLE:
        OnEnterIdle(wParam, reinterpret_cast<HWND>(lParam));
        return 0;
    case TODAYM_GETCOLOR:
        return colors.ForTodayIndex(wParam);
    case TODAYM_DRAWWATERMARK:
        return OnDrawWatermark(reinterpret_cast<const TODAYDRAWWATERMARKINFO*>(lParam));
    case TODAYM_TOOKSELECTION:
        TakeSelection(reinterpret_cast<HWND>(wParam));
        return 0;
    case WM_DESTROY:
        OnDestroy();
        return 0;
    default:
        return DefWindowProcW(window, message, wParam, lParam);
    }
}

LRESULT CALLBACK TodayHostWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto create = reinterpret_cast<CREATESTRUCTW*>(lParam);
        auto host = static_cast<TodayHost*>(create->lpCreateParams);
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(host));
    }
    auto host = reinterpret_cast<TodayHost*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (host && message == WM_NCCREATE) host->Attach(window);
    // Messages before WM_NCCREATE and after WM_DESTROY have no host behind them.
    if (!host || host->Window() != window) return DefWindowProcW(window, message, wParam, lParam);
    return host->HandleMessage(message, wParam, lParam);
}
