#include "UnresponsiveWindow.h"
#include "RecordingWindow.h"
#include "link/LinkProtocol.h"

namespace {
constexpr wchar_t UNRESPONSIVE_CLASS[] = L"TestUnresponsiveWindow";
UnresponsiveWindow* FromWindow(HWND window) {
    return reinterpret_cast<UnresponsiveWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
}
}  // namespace

UnresponsiveWindow::UnresponsiveWindow(UINT stallOn)
    : stallOn(stallOn),
      created(CreateEventW(nullptr, TRUE, FALSE, nullptr)),
      resumed(CreateEventW(nullptr, TRUE, FALSE, nullptr)),
      stop(CreateEventW(nullptr, TRUE, FALSE, nullptr)) {
    thread = CreateThread(nullptr, 0, Run, this, 0, nullptr);
    HANDLE waits[] = {created, thread};
    WaitForMultipleObjects(2, waits, FALSE, INFINITE);
}

UnresponsiveWindow::~UnresponsiveWindow() {
    SetEvent(resumed);
    SetEvent(stop);
    // Keep this thread's windows answering while the other thread destroys its window and ends.
    while (MsgWaitForMultipleObjects(1, &thread, FALSE, INFINITE, QS_ALLINPUT) == WAIT_OBJECT_0 + 1) PumpPending();
    CloseHandle(thread);
    CloseHandle(created);
    CloseHandle(resumed);
    CloseHandle(stop);
}

void UnresponsiveWindow::Resume() { SetEvent(resumed); }

LONG UnresponsiveWindow::Received(UINT message) const {
    if (message == LINKM_PING) return pings;
    if (message == LINKM_ACTIVATE) return activations;
    if (message == WM_COPYDATA) return copies;
    return 0;
}

LRESULT CALLBACK UnresponsiveWindow::Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    UnresponsiveWindow* self = FromWindow(window);
    if (!self || (message != LINKM_PING && message != LINKM_ACTIVATE && message != WM_COPYDATA))
        return DefWindowProcW(window, message, wParam, lParam);
    if (message == self->stallOn) WaitForSingleObject(self->resumed, INFINITE);
    InterlockedIncrement(message == LINKM_PING ? &self->pings : message == WM_COPYDATA ? &self->copies : &self->activations);
    return 1;
}

DWORD WINAPI UnresponsiveWindow::Run(void* parameter) {
    auto* self = static_cast<UnresponsiveWindow*>(parameter);
    WNDCLASSW windowClass = {};
    windowClass.lpfnWndProc = Procedure;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.lpszClassName = UNRESPONSIVE_CLASS;
    RegisterClassW(&windowClass);  // fails harmlessly when an earlier instance registered it
    // Hidden, so neither creating nor destroying it touches the other thread's activation.
    self->window = CreateWindowExW(0, UNRESPONSIVE_CLASS, L"hung", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                                   GetModuleHandleW(nullptr), nullptr);
    SetWindowLongPtrW(self->window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    SetEvent(self->created);
    if (self->stallOn == 0) WaitForSingleObject(self->resumed, INFINITE);
    MSG message;
    while (MsgWaitForMultipleObjects(1, &self->stop, FALSE, INFINITE, QS_ALLINPUT) == WAIT_OBJECT_0 + 1) {
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&message);
    }
    DestroyWindow(self->window);
    return 0;
}
