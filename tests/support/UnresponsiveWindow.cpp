#include "UnresponsiveWindow.h"
#include "link/LinkProtocol.h"
#include "platform/MessagePump.h"

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
    thread.Reset(CreateThread(nullptr, 0, Run, this, 0, nullptr));
    HANDLE waits[] = {created.get(), thread.get()};
    WaitForMultipleObjects(2, waits, FALSE, INFINITE);
}

UnresponsiveWindow::~UnresponsiveWindow() {
    SetEvent(resumed.get());
    SetEvent(stop.get());
    // Keep this thread's windows answering while the other thread destroys its window and ends. After WM_QUIT
    // the pump no longer waits, but the thread must still have ended before its handles close.
    if (PumpUntilSignalled(thread.get(), INFINITE) != PumpResult::Done) WaitForSingleObject(thread.get(), INFINITE);
}

void UnresponsiveWindow::Resume() { SetEvent(resumed.get()); }

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
    if (message == self->stallOn) WaitForSingleObject(self->resumed.get(), INFINITE);
    InterlockedIncrement(message == LINKM_PING    ? &self->pings
                         : message == WM_COPYDATA ? &self->copies
                                                  : &self->activations);
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
    SetEvent(self->created.get());
    if (self->stallOn == 0) WaitForSingleObject(self->resumed.get(), INFINITE);
    // Its own loop, not the platform pump: that one's state (the message filter, WM_QUIT seen) belongs to the
    // test's thread.
    MSG message;
    HANDLE stop = self->stop.get();
    while (MsgWaitForMultipleObjects(1, &stop, FALSE, INFINITE, QS_ALLINPUT) == WAIT_OBJECT_0 + 1) {
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&message);
    }
    DestroyWindow(self->window);
    return 0;
}
