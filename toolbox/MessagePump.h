// The one message loop helper of the programs around the item (the host simulator, the stand-in, the
// tests): every wait keeps the thread answering messages, because windows on it are sent to synchronously
// by other threads and processes.
#pragma once
#include <windows.h>
#include <initializer_list>

// How a wait ended. It tests true when it ended as asked (Done), so that a test reads
// ASSERT_TRUE(PumpUntil(condition, ms)), while the host tells a time-out from WM_QUIT by comparing.
class PumpResult {
public:
    static const PumpResult Done, TimedOut, Quit;
    explicit operator bool() const { return outcome == 0; }
    bool operator==(PumpResult other) const { return outcome == other.outcome; }
    bool operator!=(PumpResult other) const { return outcome != other.outcome; }

private:
    constexpr explicit PumpResult(int outcome) : outcome(outcome) {}
    int outcome;
};
inline constexpr PumpResult PumpResult::Done{0};
inline constexpr PumpResult PumpResult::TimedOut{1};
inline constexpr PumpResult PumpResult::Quit{2};

// Dispatches everything already queued, paints included; Quit once WM_QUIT was taken from the queue.
PumpResult DrainMessages();
// Dispatches messages for this many milliseconds (timers fire meanwhile).
PumpResult PumpFor(DWORD milliseconds);
// Dispatches messages until the handle is signalled (Done) or the time is up.
PumpResult PumpUntilSignalled(HANDLE handle, DWORD timeoutMs);
// Dispatches messages until one of the handles is signalled: its index, or -1 when the time ran out or
// WM_QUIT came.
int PumpUntilAnySignalled(const HANDLE* handles, DWORD count, DWORD timeoutMs);
inline int PumpUntilAnySignalled(std::initializer_list<HANDLE> handles, DWORD timeoutMs) {
    return PumpUntilAnySignalled(handles.begin(), static_cast<DWORD>(handles.size()), timeoutMs);
}
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
