#include "UnresponsiveWindow.h"
#include "RecordingWindow.h"

#define UNRESPONSIVE_CLASS L"TestUnresponsiveWindow"

UnresponsiveWindow::UnresponsiveWindow()
    : created(CreateEventW(nullptr, TRUE, FALSE, nullptr)), release(CreateEventW(nullptr, TRUE, FALSE, nullptr)) {
    thread = CreateThread(nullptr, 0, Run, this, 0, nullptr);
    HANDLE waits[] = {created, thread};
    WaitForMultipleObjects(2, waits, FALSE, INFINITE);
}

UnresponsiveWindow::~UnresponsiveWindow() {
    SetEvent(release);
    // Keep this thread's windows answering while the other thread destroys its window and ends.
    while (MsgWaitForMultipleObjects(1, &thread, FALSE, INFINITE, QS_ALLINPUT) == WAIT_OBJECT_0 + 1) PumpPending();
    CloseHandle(thread);
    CloseHandle(created);
    CloseHandle(release);
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
    SetEvent(self->created);
    WaitForSingleObject(self->release, INFINITE);
    DestroyWindow(self->window);
    return 0;
}
