// The one message loop helper of the programs around the item (the host simulator, the stand-in, the
// tests): every wait keeps the thread answering messages, because windows on it are sent to synchronously
// by other threads and processes.
#pragma once
#include <windows.h>

enum class PumpResult { Done, TimedOut, Quit };

// Dispatches everything already queued, paints included; Quit once WM_QUIT was taken from the queue.
PumpResult DrainMessages();
// Dispatches messages for this many milliseconds (timers fire meanwhile).
PumpResult PumpFor(DWORD milliseconds);
// Dispatches messages until the handle is signalled (Done) or the time is up.
PumpResult PumpUntilSignalled(HANDLE handle, DWORD timeoutMs);
// Dispatches messages until one of the handles is signalled: its index, or -1 when the time ran out or
// WM_QUIT came.
int PumpUntilAnySignalled(const HANDLE* handles, DWORD count, DWORD timeoutMs);
// Dispatches messages until the condition holds, testing it after every batch and at least every pollMs.
template <typename Condition>
PumpResult PumpUntil(Condition condition, DWORD timeoutMs, DWORD pollMs = 20);

// Once WM_QUIT was taken from the queue every pump answers Quit; this is its exit code.
bool QuitSeen();
int QuitCode();

// A filter sees each message taken from the queue first and returns true when it handled it (a test's
// recording window tells posted messages from sent ones this way). Null removes it.
using MessageFilter = bool (*)(const MSG& message);
void SetMessageFilter(MessageFilter filter);

template <typename Condition>
PumpResult PumpUntil(Condition condition, DWORD timeoutMs, DWORD pollMs) {
    const DWORD start = GetTickCount();
    for (;;) {
        if (DrainMessages() == PumpResult::Quit) return PumpResult::Quit;
        if (condition()) return PumpResult::Done;
        DWORD elapsed = GetTickCount() - start;
        if (elapsed >= timeoutMs) return PumpResult::TimedOut;
        DWORD slice = timeoutMs - elapsed < pollMs ? timeoutMs - elapsed : pollMs;
        MsgWaitForMultipleObjectsEx(0, nullptr, slice, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
    }
}
