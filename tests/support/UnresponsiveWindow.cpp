#include "UnresponsiveWindow.h"
#include "platform/MessagePump.h"

#define UNRESPONSIVE_CLASS L"TestUnresponsiveWindow"

UnresponsiveWindow::UnresponsiveWindow()
    : created(CreateEventW(nullptr, TRUE, FALSE, nullptr)), release(CreateEventW(nullptr, TRUE, FALSE, nullptr)) {
    thread.Reset(CreateThread(nullptr, 0, Run, this, 0, nullptr));
    HANDLE waits[] = {created.get(), thread.get()};
    WaitForMultipleObjects(2, waits, FALSE, INFINITE);
}

UnresponsiveWindow::~UnresponsiveWindow() {
    SetEvent(release.get());
    // Keep this thread's windows answering while the other thread destroys its window and ends. After WM_QUIT
    // the pump no longer waits, but the thread must still have ended before its handles close.
    if (PumpUntilSignalled(thread.get(), INFINITE) != PumpResult::Done) WaitForSingleObject(thread.get(), INFINITE);
}

DWORD WINAPI UnresponsiveWindow::Run(void* parameter) {
    auto* self = static_cast<UnresponsiveWindow*>(parameter);
    WNDCLASSW windowClass = {};
    windowClass.lpfnWndProc = DefWindowProcW;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.lpszClassName = UNRESPONSIVE_CLASS;
    RegisterClassW(&windowClass);  // fails harmlessly when an earlier instance registered it
    // Hidden, so neither creating nor destroying it touches the other thread's activation.
    self->window = CreateWindowExW(0, UNRESPONSIVE_CLASS, L"hung", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                                   GetModuleHandleW(nullptr), nullptr);
    SetEvent(self->created.get());
    WaitForSingleObject(self->release.get(), INFINITE);
    DestroyWindow(self->window);
    return 0;
}
