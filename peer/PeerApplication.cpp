#include "PeerApplication.h"
#include "../kit/LinkWire.h"
#include "PeerCommands.h"
#include "Transcript.h"
#include "../toolbox/SystemError.h"
#include "../toolbox/Utf8.h"
#include "../toolbox/WindowObject.h"
#include <algorithm>

PeerApplication::PeerApplication(const RunOptions& options, Transcript& transcript)
    : options(options), transcript(transcript), notification(transcript, options.chinese) {}

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
        error = "cannot register the window class: " + ToUtf8(SystemErrorText(GetLastError()));
        return false;
    }
    const wchar_t* title = options.chinese ? MAIN_WINDOW_TITLE_CHINESE : MAIN_WINDOW_TITLE_LATIN;
    const int x = options.placed ? options.windowAt.x : CW_USEDEFAULT;
    const int y = options.placed ? options.windowAt.y : CW_USEDEFAULT;
    window = CreateWindowExW(0, MAIN_WINDOW_CLASS, title, WS_OVERLAPPEDWINDOW, x, y, 240, 320, nullptr, nullptr,
                             instance, this);
    if (!window) {
        error = "cannot create the main window: " + ToUtf8(SystemErrorText(GetLastError()));
        return false;
    }
    return true;
}

bool PeerApplication::Start(std::vector<Notice> notices, std::string& error) {
    pending.insert(pending.end(), notices.begin(), notices.end());
    notification.Show(window, pending.size());
    return Appear(error);
}

bool PeerApplication::Appear(std::string& error) {
    if (link.Publish(window) != LINK_DONE) {
        error = "cannot publish the window in the section \"ArdenoFileMapping\": " +
                ToUtf8(SystemErrorText(GetLastError()));
        return false;
    }
    PushPending();
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

void PeerApplication::Shutdown() {
    if (shutDown) return;
    shutDown = true;
    Logged(LINKM_MAIN_DETACH, 0, link.Detach());
    notification.Remove();
    link.Withdraw();
}

void PeerApplication::AddPending(const std::vector<Notice>& notices) {
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
    LinkEvent event;
    if (link.TakeMessage(message, wParam, lParam, &event)) return OnLinkEvent(message, wParam, lParam, event);
    switch (message) {
    case WM_COPYDATA:
        return lParam ? OnCopyData(wParam, *reinterpret_cast<const COPYDATASTRUCT*>(lParam)) : 0;
    case WM_PAINT:
        OnPaint();
        return 0;
    case WM_DESTROY:
        OnDestroy();
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

LRESULT PeerApplication::OnLinkEvent(UINT message, WPARAM wParam, LPARAM lParam, LinkEvent& event) {
    switch (event.kind) {
    case LINK_EVENT_PINGED:
        return OnPing(event);
    case LINK_EVENT_ACTIVATED:
        return OnActivate(wParam, event);
    case LINK_EVENT_KEY:
        return OnKeyHandedBack(wParam, *reinterpret_cast<const COPYDATASTRUCT*>(lParam), event);
    case LINK_EVENT_ITEM_ATTACHED:
        return OnItemAttach(wParam, event);
    case LINK_EVENT_ITEM_LEFT:
        return OnItemDetach(wParam, event);
    case LINK_EVENT_STRANGER:
        break;
    }
    return OnStranger(message, wParam, lParam, event);
}

LRESULT PeerApplication::OnPing(LinkEvent& event) {
    if (options.hangPingMs) Sleep(options.hangPingMs);
    transcript.Message(TranscriptDirection::Received, LINKM_PING, 0, 0, event.answer);
    return event.answer;
}

LRESULT PeerApplication::OnActivate(WPARAM item, LinkEvent& event) {
    // The kit has brought the window to the front.
    event.answer = options.activateAnswer;
    transcript.Message(TranscriptDirection::Received, LINKM_ACTIVATE, item, 0, event.answer);
    return event.answer;
}

LRESULT PeerApplication::OnCopyData(WPARAM sender, const COPYDATASTRUCT& data) {
    if (FindPeerCommand(data.dwData)) return OnControl(sender, data);
    transcript.CopyData(TranscriptDirection::Received, sender, data, 0);
    return 0;
}

LRESULT PeerApplication::OnKeyHandedBack(WPARAM sender, const COPYDATASTRUCT& data, LinkEvent& event) {
    if (options.refuseKey) {
        transcript.CopyData(TranscriptDirection::Received, sender, data, 0);
        return 0;
    }
    const std::wstring key(event.key, event.keyUnits);
    keysReceived.push_back(key);
    // Written before the notice is opened, so the transcript keeps the order in which things happen.
    transcript.CopyData(TranscriptDirection::Received, sender, data, event.answer);
    OpenNotice(key);
    return event.answer;
}

LRESULT PeerApplication::OnStranger(UINT message, WPARAM wParam, LPARAM lParam, LinkEvent& event) {
    // The link's messages from a window that is not the item: answered as the kit answers them, and written down.
    if (message == WM_COPYDATA)
        transcript.CopyData(TranscriptDirection::Received, wParam, *reinterpret_cast<const COPYDATASTRUCT*>(lParam),
                            event.answer);
    else transcript.Message(TranscriptDirection::Received, message, wParam, lParam, event.answer);
    return event.answer;
}

void PeerApplication::OpenNotice(const std::wstring& key) {
    // Keys name one notice each; should two share one, the first pending one is opened.
    auto match = std::find_if(pending.begin(), pending.end(),
                              [&](const Notice& notice) { return notice.Field(NOTICE_FIELD_KEY) == key; });
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
    PushPending();
}

LRESULT PeerApplication::OnItemAttach(WPARAM item, LinkEvent& event) {
    transcript.Message(TranscriptDirection::Received, LINKM_ITEM_ATTACH, item, 0, event.answer);
    // Answered once the notices are in: the item is waiting in its send and takes them meanwhile.
    PushPending();
    InvalidateRect(window, nullptr, TRUE);
    return event.answer;
}

LRESULT PeerApplication::OnItemDetach(WPARAM item, LinkEvent& event) {
    transcript.Message(TranscriptDirection::Received, LINKM_ITEM_DETACH, item, 0, event.answer);
    InvalidateRect(window, nullptr, TRUE);
    return event.answer;
}

void PeerApplication::OnDestroy() {
    if (restarting) return;  // a new window follows; the old one leaves no goodbye, as in a crash
    Shutdown();
    PostQuitMessage(0);
}
