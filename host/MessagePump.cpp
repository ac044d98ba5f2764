#include "MessagePump.h"

namespace {
bool quitSeen = false;
int quitCode = 0;
}  // namespace

int QuitCode() { return quitCode; }
bool QuitSeen() { return quitSeen; }

PumpResult DrainMessages() {
    if (quitSeen) return PumpResult::Quit;
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT) {
            quitSeen = true;
            quitCode = static_cast<int>(message.wParam);
            return PumpResult::Quit;
        }
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

PumpResult PumpUntilSignalled(HANDLE handle, DWORD timeoutMs) {
    const DWORD start = GetTickCount();
    for (;;) {
        if (WaitForSingleObject(handle, 0) == WAIT_OBJECT_0) return PumpResult::Done;
        if (DrainMessages() == PumpResult::Quit) return PumpResult::Quit;
        DWORD elapsed = GetTickCount() - start;
        if (elapsed >= timeoutMs) return PumpResult::TimedOut;
        MsgWaitForMultipleObjectsEx(1, &handle, timeoutMs - elapsed, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
    }
}
