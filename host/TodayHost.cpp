#include "TodayHost.h"
#include "toolbox/MessagePump.h"
#include "platform/ScopedHandles.h"
#include "ScreenPainter.h"
#include "toolbox/Console.h"
#include "toolbox/WindowObject.h"

namespace {

constexpr DWORD HOST_STYLE = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN;
constexpr LONG LARGEST_WINDOW_SIDE = LARGEST_SCREEN_SIDE + 100;  // the frame and caption around the screen

bool RegisterHostClass(HINSTANCE instance, WNDPROC procedure) {
    WNDCLASSW windowClass = {};
    if (GetClassInfoW(instance, TODAY_HOST_CLASS, &windowClass)) return true;
    windowClass.style = CS_HREDRAW | CS_VREDRAW;
    windowClass.lpfnWndProc = procedure;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
    windowClass.lpszClassName = TODAY_HOST_CLASS;
    return RegisterClassW(&windowClass) != 0;
}

// The window's outer size for a client area of this size.
SIZE FrameSize(SIZE client) {
    RECT frame = {0, 0, client.cx, client.cy};
    AdjustWindowRectEx(&frame, HOST_STYLE, FALSE, 0);
    return {frame.right - frame.left, frame.bottom - frame.top};
}

}  // namespace

int ScreenDpi() {
    WindowDC screen(nullptr);
    const int dpi = screen.get() ? GetDeviceCaps(screen.get(), LOGPIXELSY) : 96;
    return dpi > 0 ? dpi : 96;
}

TodayHost::TodayHost(HostConfig hostConfig)
    : config(std::move(hostConfig)),
      colors(ThemeColors(config.theme)),
      notificationArea(
          [this](ShellNotificationOp op, const ShellNotificationRecord& record) { OnNotification(op, record); }) {}

TodayHost::~TodayHost() { Close(); }

bool TodayHost::Create() {
    if (!readyEvent.Create()) Note(std::wstring(L"cannot create the event ") + SHELL_READY_EVENT_NAME);
    if (!notificationArea.Create()) Note(L"cannot create the notification area window");

    HINSTANCE instance = GetModuleHandleW(nullptr);
    if (!RegisterHostClass(instance, WindowProc)) return false;
    measures = HostMeasures(ScreenDpi());
    screenSize = config.screen.size.cx > 0 ? config.screen.size : DefaultScreenSize(measures.Dpi());
    const SIZE frame = FrameSize(screenSize);
    window = CreateWindowExW(0, TODAY_HOST_CLASS, L"Today", HOST_STYLE, CW_USEDEFAULT, CW_USEDEFAULT, frame.cx,
                             frame.cy, nullptr, nullptr, instance, this);
    if (!window) return false;
    PrepareBackground();
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

bool TodayHost::ResizeScreen(SIZE size, std::wstring& error) {
    const SIZE frame = FrameSize(size);
    SetWindowPos(window, nullptr, 0, 0, frame.cx, frame.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    RECT outer = {};
    if (!GetWindowRect(window, &outer) || outer.right - outer.left != frame.cx ||
        outer.bottom - outer.top != frame.cy) {
        error = L"the host window cannot be made " + std::to_wstring(size.cx) + L" x " + std::to_wstring(size.cy) +
                L" pixels";
        return false;
    }
    screenSize = size;
    PrepareBackground();
    // Each item window takes the new width (its WM_SIZE says so); heights stay until the next refresh query.
    LayoutItems();
    ScrollSelectionIntoView();
    return true;
}

void TodayHost::PrepareBackground() {
    WindowDC dc(window);
    watermark.Prepare(dc.get(), screenSize, measures.Dpi(), colors.watermark);
}

void TodayHost::SetTheme(Theme theme) {
    colors = ThemeColors(theme);
    if (!window) return;
    PrepareBackground();
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW);
}

// --- Items --------------------------------------------------------------------------------------------------

void TodayHost::LoadItems() {
    std::vector<std::wstring> notes;
    BeginBusy();
    items.Load(config.itemsKey, config.itemDlls, window, notes);
    Notes(notes);
    LayoutItems();
    EndBusy();
}

void TodayHost::UnloadItems() {
    BeginBusy();
    list.Reset();
    std::vector<std::wstring> notes;
    items.UnloadAll(notes);
    Notes(notes);
    --busy;  // not EndBusy: a pending reload is what called this, or the host is closing
}

void TodayHost::ReloadItems() {
    UnloadItems();
    LoadItems();
    if (window) InvalidateRect(window, nullptr, FALSE);
}

void TodayHost::EndBusy() {
    // Even the end of the host's own call may lie inside an item's (a message sent to the host while the item
    // waits): the pending reload goes through the host's loop.
    if (--busy == 0 && reloadPending) PostMessageW(window, HOST_RELOAD_ITEMS, 0, 0);
}

bool TodayHost::RefreshItems() {
    BeginBusy();
    const bool changed = items.QueryRefresh();
    if (changed) LayoutItems();
    EndBusy();
    return changed;
}

void TodayHost::LayoutItems() {
    if (!window) return;
    const std::vector<int> heights = items.ShownHeights();
    const int viewport = ViewportHeight();
    RECT client;
    GetClientRect(window, &client);
    layout = StackItems(heights, ListTop(), client.right, measures.Header(), 0);
    scrollBar.Update(window, layout.contentHeight, viewport, list.Offset());  // may narrow the client area
    GetClientRect(window, &client);
    list.Clamp(layout.contentHeight, viewport);
    layout = StackItems(heights, ListTop(), client.right, measures.Header(), list.Offset());
    items.Place(layout);
    // The selection cannot stay on an item that is no longer shown.
    if (const HostedItem* item = Selected(); item && !item->placed) ClearSelection();

    // The host's own parts: what items uncovered, the date line, the bar. Children are clipped out.
    InvalidateRect(window, nullptr, FALSE);
    UpdateWindow(window);
    for (const auto& item : items.All())
        if (item->placed) UpdateWindow(item->window);
}

int TodayHost::ViewportHeight() const {
    RECT client;
    GetClientRect(window, &client);
    return client.bottom - ListTop();
}

void TodayHost::ScrollSelectionIntoView() {
    const HostedItem* item = Selected();
    if (!item || !scrollBar.Shown()) return;
    // Content coordinates: rows from the top of the list, before scrolling.
    const int top = item->rect.top - ListTop() + list.Offset(), bottom = item->rect.bottom - ListTop() + list.Offset();
    if (list.Show(top, bottom, ViewportHeight())) LayoutItems();
}

// --- Input --------------------------------------------------------------------------------------------------

void TodayHost::PressKey(UINT virtualKey) { SendMessageW(window, WM_KEYDOWN, virtualKey, 1); }

void TodayHost::TakeSelection(HWND itemWindow) {
    // Posted by an item the user tapped: it has selected itself already.
    const HostedItem* item = items.OfWindow(itemWindow);
    if (!item || !item->placed) return;
    const int index = items.IndexOf(item);
    if (index == list.Selected()) return;
    selection.Select(index);
    ScrollSelectionIntoView();
}

void TodayHost::Tap(POINT point) {
    HWND target = ChildWindowFromPointEx(window, point, CWP_SKIPINVISIBLE | CWP_SKIPDISABLED | CWP_SKIPTRANSPARENT);
    if (!target) return;  // outside the client area
    POINT local = point;
    MapWindowPoints(window, target, &local, 1);
    const LPARAM position = MAKELPARAM(local.x, local.y);
    SendMessageW(target, WM_LBUTTONDOWN, MK_LBUTTON, position);
    // What the tap posted (an item's TODAYM_TOOKSELECTION) arrives before the stylus is lifted.
    DrainMessages();
    if (IsWindow(target)) SendMessageW(target, WM_LBUTTONUP, 0, position);
}

bool TodayHost::RunOptionsDialog(HostedItem* item, DialogClose close, std::wstring& error) {
    if (!item) item = items.WithOptions(Selected());
    if (!item) {
        error = L"no item has an options dialog";
        return false;
    }
    const DLGPROC procedure = OptionsDialogRunner::Procedure(*item);
    if (!procedure) {
        error = L"item '" + std::wstring(item->Name()) + L"' has no options dialog";
        return false;
    }
    BeginBusy();  // the item's DLL must stay loaded while its dialog runs
    const bool ok = optionsDialog.Run(window, *item, procedure, close, error);
    // Closing the settings page makes the Today screen ask its items again.
    RefreshItems();
    EndBusy();
    return ok;
}

// --- Messages -----------------------------------------------------------------------------------------------

void TodayHost::OnPaint() {
    PaintDC paint(window);
    RECT client;
    GetClientRect(window, &client);
    PaintScreen(paint.get(), {client, layout.header, measures, colors, watermark, notifications, config.clock});
}

void TodayHost::OnKeyDown(UINT virtualKey) {
    HostedItem* item = Selected();
    BeginBusy();
    switch (virtualKey) {
    case VK_UP:
    case VK_DOWN:
        if (selection.Move(virtualKey)) ScrollSelectionIntoView();
        break;
    case VK_LEFT:
    case VK_RIGHT:
        if (item) SendMessageW(item->window, WM_TODAYCUSTOM_USERNAVIGATION, virtualKey, 0);
        break;
    case VK_RETURN:
        if (item) SendMessageW(item->window, WM_TODAYCUSTOM_ACTION, VK_RETURN, 0);
        break;
    case VK_F5:
        RefreshItems();
        break;
    case 'O': {
        std::wstring error;
        if (!RunOptionsDialog(nullptr, DialogClose::None, error)) Note(error);
        break;
    }
    default:
        break;
    }
    EndBusy();
}

void TodayHost::OnTimer(UINT_PTR timerId) {
    if (timerId == HOST_REFRESH_TIMER_ID) RefreshItems();
    else if (timerId == HOST_DIALOG_GUARD_TIMER_ID) optionsDialog.OnGuardTimer(window);
}

LRESULT TodayHost::OnDrawWatermark(const TODAYDRAWWATERMARKINFO* info) {
    if (!info || !info->hdc) return FALSE;
    // The part of the background that lies behind the rectangle: where the item's window is in the host.
    POINT origin = {info->rc.left, info->rc.top};
    if (info->hwnd && IsChild(window, info->hwnd)) MapWindowPoints(info->hwnd, window, &origin, 1);
    return watermark.Paint(info->hdc, info->rc, origin) ? TRUE : FALSE;
}

void TodayHost::OnWinIniChange(WPARAM flag) {
    if (flag != WININICHANGE_TODAY_ITEMS) return;
    // This arrives as a sent message, which the thread takes also while an item's code is on the stack: inside a
    // tap or a paint that the loop dispatched to the item, while the item waits on another program. Its DLL must
    // not go away under it, so the reload waits for a posted message, which only the host's own loop takes.
    if (reloadPending) return;
    reloadPending = true;
    PostMessageW(window, HOST_RELOAD_ITEMS, 0, 0);
}

void TodayHost::OnReloadItems() {
    // Inside one of the host's own calls into an item (its options dialog takes posted messages): EndBusy posts
    // this again.
    if (busy || !reloadPending) return;
    reloadPending = false;
    ReloadItems();
}

void TodayHost::OnVScroll(WORD request) {
    const bool thumb = request == SB_THUMBTRACK || request == SB_THUMBPOSITION;
    const int track = thumb ? ScrollBar::TrackPosition(window) : 0;
    if (list.Scroll(request, track, measures(SCROLL_LINE), layout.contentHeight, ViewportHeight())) LayoutItems();
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

LRESULT CALLBACK TodayHost::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_GETMINMAXINFO) {
        // A handheld's screen may be taller than the desktop the host runs on: let the window be as big as it.
        reinterpret_cast<MINMAXINFO*>(lParam)->ptMaxTrackSize = {LARGEST_WINDOW_SIDE, LARGEST_WINDOW_SIDE};
        return 0;
    }
    auto host = WindowObject<TodayHost>(window, message, lParam);
    if (message == WM_NCCREATE) host->window = window;  // before CreateWindowExW returns: the first messages need it
    // Messages before WM_NCCREATE and after WM_DESTROY have no host behind them.
    if (!host || host->window != window) return DefWindowProcW(window, message, wParam, lParam);
    return host->OnMessage(message, wParam, lParam);
}

LRESULT TodayHost::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
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
    case HOST_RELOAD_ITEMS:
        OnReloadItems();
        return 0;
    case WM_ENTERIDLE:
        optionsDialog.OnEnterIdle(wParam, reinterpret_cast<HWND>(lParam));
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

void TodayHost::Note(const std::wstring& text) const { PrintError(L"TodayHost: " + text); }

void TodayHost::Notes(const std::vector<std::wstring>& notes) const {
    for (const std::wstring& note : notes) Note(note);
}
