#include "MessagePump.h"

namespace {
bool quitSeen = false;
int quitCode = 0;
MessageFilter messageFilter = nullptr;
}  // namespace

int QuitCode() { return quitCode; }
bool QuitSeen() { return quitSeen; }
void SetMessageFilter(MessageFilter filter) { messageFilter = filter; }

PumpResult DrainMessages() {
    if (quitSeen) return PumpResult::Quit;
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT) {
            quitSeen = true;
            quitCode = static_cast<int>(message.wParam);
            return PumpResult::Quit;
        }
        if (messageFilter && messageFilter(message)) continue;
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return PumpResult::Done;
}

PumpResult PumpFor(DWORD milliseconds) {
    const DWORD start = GetTickCount();
    for (;;) {
        if (DrainMessages() == PumpResult::Quit) return PumpResult::Quit;
        DWORD elapsed = GetTickCount() - start;
        if (elapsed >= milliseconds) return PumpResult::Done;
        MsgWaitForMultipleObjectsEx(0, nullptr, milliseconds - elapsed, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
    }
}

int PumpUntilAnySignalled(const HANDLE* handles, DWORD count, DWORD timeoutMs) {
    const DWORD start = GetTickCount();
    for (;;) {
        DWORD ready = WaitForMultipleObjects(count, handles, FALSE, 0);
        if (ready < WAIT_OBJECT_0 + count) return static_cast<int>(ready - WAIT_OBJECT_0);
        if (DrainMessages() == PumpResult::Quit) return -1;
        DWORD elapsed = GetTickCount() - start;
        if (elapsed >= timeoutMs) return -1;
        MsgWaitForMultipleObjectsEx(count, handles, timeoutMs - elapsed, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
    }
}

PumpResult PumpUntilSignalled(HANDLE handle, DWORD timeoutMs) {
    if (PumpUntilAnySignalled(&handle, 1, timeoutMs) == 0) return PumpResult::Done;
    return QuitSeen() ? PumpResult::Quit : PumpResult::TimedOut;
}
