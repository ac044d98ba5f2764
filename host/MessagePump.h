// Message loops for the script steps: every wait keeps the host's thread answering messages, because the
// items live on it and other programs send to them synchronously.
#pragma once
#include <windows.h>

enum class PumpResult { Done, TimedOut, Quit };

// Dispatches everything already queued, paints included; Quit when WM_QUIT was seen.
PumpResult DrainMessages();
// Dispatches messages for this many milliseconds.
PumpResult PumpFor(DWORD milliseconds);
// Dispatches messages until the handle is signalled (Done) or the time is up.
PumpResult PumpUntilSignalled(HANDLE handle, DWORD timeoutMs);
// Dispatches messages until the condition holds, testing it after every batch and at least every pollMs.
template <typename Condition>
PumpResult PumpUntil(Condition condition, DWORD timeoutMs, DWORD pollMs = 20);

// Once WM_QUIT was taken from the queue every pump answers Quit; this is its exit code.
bool QuitSeen();
int QuitCode();

#include "MessagePump.inl"
