#include "PeerApplication.h"
#include "../kit/LinkWire.h"
#include "PeerCommands.h"
#include "Transcript.h"
#include "../toolbox/Utf8.h"
#include "../toolbox/WindowObject.h"
#include <algorithm>

PeerApplication::PeerApplication(const RunOptions& options, Transcript& transcript)
    : options(options), transcript(transcript), link(transcript), notification(transcript, options.chinese) {}

PeerApplication::~PeerApplication() {
    Shutdown();
    if (window) DestroyWindow(window);
}

bool PeerApplication::CreateMainWindow(HINSTANCE instance, std::string& error) {
    this->instance = instance;
    WNDCLASSW windowClass = {};
    windowClass.lpfnWndProc = WindowProc;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursor(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    windowClass.lpszClassName = MAIN_WINDOW_CLASS;
    // Registered already when the window comes back after a restart.
    if (!RegisterClassW(&windowClass) && GetLastError() != ERROR_CLASS_ALREADY_EXISTS) {
        error = "cannot register the window class (error " + std::to_string(GetLastError()) + ")";
        return false;
    }
    const wchar_t* title = options.chinese ? MAIN_WINDOW_TITLE_CHINESE : MAIN_WINDOW_TITLE_LATIN;
    const int x = options.placed ? options.windowAt.x : CW_USEDEFAULT;
    const int y = options.placed ? options.windowAt.y : CW_USEDEFAULT;
    window = CreateWindowExW(0, MAIN_WINDOW_CLASS, title, WS_OVERLAPPEDWINDOW, x, y, 240, 320, nullptr, nullptr,
                             instance, this);
    if (!window) {
        error = "cannot create the main window (error " + std::to_string(GetLastError()) + ")";
        return false;
    }
    link.SetOwnWindow(window);
    return true;
}

bool PeerApplication::Start(std::vector<NoticePayload> notices, std::string& error) {
    pending.insert(pending.end(), notices.begin(), notices.end());
    notification.Show(window, pending.size());
    return Appear(error);
}

bool PeerApplication::Appear(std::string& error) {
    DWORD handle = static_cast<DWORD>(reinterpret_cast<UINT_PTR>(window));
    if (!(mainSection.IsOpen() || mainSection.Open(MAIN_SECTION_NAME)) || !mainSection.WriteHandle(handle)) {
        error = "cannot publish the window in the section \"ArdenoFileMapping\" (error " +
                std::to_string(GetLastError()) + ")";
        return false;
    }
    LinkToPublishedItem();
    link.Push(pending);
    ShowWindow(window, SW_SHOWNORMAL);
    return true;
}

void PeerApplication::AnswerLateToItem(UINT message, LPARAM lParam) const {
    if (!slowMs) return;
    // What the item sends; the control commands a test sends are answered at once.
    const bool fromItem =
        message == LINKM_PING || message == LINKM_ACTIVATE || message == LINKM_ITEM_ATTACH ||
        message == LINKM_ITEM_DETACH ||
        (message == WM_COPYDATA && lParam && reinterpret_cast<const COPYDATASTRUCT*>(lParam)->dwData == 0);
    if (fromItem) Sleep(slowMs);
}

void PeerApplication::LinkToPublishedItem() {
    WindowSection todaySection;
    DWORD handle = todaySection.Open(TODAY_SECTION_NAME) ? todaySection.ReadHandle() : 0;
    HWND item = reinterpret_cast<HWND>(static_cast<UINT_PTR>(handle));
    // A handle left behind by an item that crashed names no window (or, rarely, someone else's: accepted).
    if (item && IsWindow(item)) link.Remember(item);
}

void PeerApplication::Shutdown() {
    if (shutDown) return;
    shutDown = true;
    link.Send(LINKM_MAIN_DETACH, 0);
    link.Forget();
    notification.Remove();
    mainSection.WriteHandle(0);
    mainSection.Close();
}

void PeerApplication::AddPending(const std::vector<NoticePayload>& notices) {
    pending.insert(pending.end(), notices.begin(), notices.end());
    notification.Show(window, pending.size());
    InvalidateRect(window, nullptr, TRUE);
}

void PeerApplication::ClearPending() {
    pending.clear();
    notification.Remove();
    InvalidateRect(window, nullptr, TRUE);
}

LRESULT CALLBACK PeerApplication::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* application = WindowObject<PeerApplication>(window, message, lParam);
    if (!application) return DefWindowProcW(window, message, wParam, lParam);
    if (message == WM_NCCREATE) application->window = window;
    if (message == WM_NCDESTROY) {
        application->window = nullptr;
        return DefWindowProcW(window, message, wParam, lParam);
    }
    return application->Dispatch(message, wParam, lParam);
}

LRESULT PeerApplication::Dispatch(UINT message, WPARAM wParam, LPARAM lParam) {
    AnswerLateToItem(message, lParam);
    switch (message) {
    case LINKM_PING:
        return OnPing();
    case LINKM_ACTIVATE:
        return OnActivate(wParam);
    case LINKM_ITEM_ATTACH:
        return OnItemAttach(wParam);
    case LINKM_ITEM_DETACH:
        return OnItemDetach(wParam);
    case WM_COPYDATA:
        return OnCopyData(wParam, *reinterpret_cast<const COPYDATASTRUCT*>(lParam));
    case WM_PAINT:
        OnPaint();
        return 0;
    case WM_DESTROY:
        OnDestroy();
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

LRESULT PeerApplication::OnPing() {
    if (options.hangPingMs) Sleep(options.hangPingMs);
    transcript.Message(TranscriptDirection::Received, LINKM_PING, 0, 0, 1);
    return 1;
}

LRESULT PeerApplication::OnActivate(WPARAM item) {
    SetForegroundWindow(window);
    ShowWindow(window, IsIconic(window) ? SW_RESTORE : SW_SHOWNORMAL);
    transcript.Message(TranscriptDirection::Received, LINKM_ACTIVATE, item, 0, options.activateAnswer);
    return options.activateAnswer;
}

LRESULT PeerApplication::OnCopyData(WPARAM sender, const COPYDATASTRUCT& data) {
    if (data.dwData == 0) return OnKeyHandedBack(sender, data);
    if (FindPeerCommand(data.dwData)) return OnControl(sender, data);
    transcript.CopyData(TranscriptDirection::Received, sender, data, 0);
    return 0;
}

LRESULT PeerApplication::OnKeyHandedBack(WPARAM sender, const COPYDATASTRUCT& data) {
    if (options.refuseKey) {
        transcript.CopyData(TranscriptDirection::Received, sender, data, 0);
        return 0;
    }
    std::wstring key = PayloadText(static_cast<const BYTE*>(data.lpData), data.lpData ? data.cbData : 0);
    keysReceived.push_back(key);
    // Written before the notice is opened, so the transcript keeps the order in which things happen.
    transcript.CopyData(TranscriptDirection::Received, sender, data, 1);
    OpenNotice(key);
    return 1;
}

void PeerApplication::OpenNotice(const std::wstring& key) {
    // Keys name one notice each; should two share one, the first pending one is opened.
    auto match = std::find_if(pending.begin(), pending.end(),
                              [&](const NoticePayload& notice) { return PayloadKey(notice) == key; });
    const bool found = match != pending.end();
    if (found) {
        read.push_back(*match);
        pending.erase(match);
    }
    transcript.Step("OpenNotice", {{"key", ToUtf8(key)}, {"found", found}, {"pending", pending.size()}});
    InvalidateRect(window, nullptr, TRUE);
    if (!found) return;
    notification.Show(window, pending.size());
    // Pushed while the item still waits for its key to be taken: when its send returns, it already holds
    // the notices that are left.
    link.Push(pending);
}

LRESULT PeerApplication::OnItemAttach(WPARAM item) {
    transcript.Message(TranscriptDirection::Received, LINKM_ITEM_ATTACH, item, 0, 1);
    HWND itemWindow = reinterpret_cast<HWND>(item);
    // An item whose window could not be created announces 0: there is nothing to push to.
    if (itemWindow && IsWindow(itemWindow)) link.Remember(itemWindow);
    else link.Forget();
    // Answered once the notices are in: the item is waiting in its send and takes them meanwhile.
    link.Push(pending);
    InvalidateRect(window, nullptr, TRUE);
    return 1;
}

LRESULT PeerApplication::OnItemDetach(WPARAM item) {
    transcript.Message(TranscriptDirection::Received, LINKM_ITEM_DETACH, item, 0, 1);
    link.Forget();
    InvalidateRect(window, nullptr, TRUE);
    return 1;
}

void PeerApplication::OnDestroy() {
    if (restarting) return;  // a new window follows; the old one leaves no goodbye, as in a crash
    Shutdown();
    PostQuitMessage(0);
}
