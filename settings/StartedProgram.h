// The main application's program as the item last started it. A program that was just started has no window
// yet: while it runs without one it is still starting, and starting it again would make two. A start is given
// a bound, though: a program that hangs while starting, or a launcher that stays running, must not leave the
// item dead to taps for good.
#pragma once
#include "../platform/ScopedHandles.h"

// How long a program the item started counts as starting while no main application window shows.
const DWORD MAIN_APPLICATION_STARTUP_BOUND_MS = 30000;

class StartedProgram {
public:
    StartedProgram() : processId(0), startedAt(0), startupBoundMs(MAIN_APPLICATION_STARTUP_BOUND_MS) {}

    // Starts the program at the install path and keeps its process; true when the platform reports success.
    bool Start(const wchar_t* installPath);
    // True while the program started last still runs and its start-up bound has not passed; otherwise it is
    // forgotten. The caller has looked for the main application's window and found none.
    bool StillStarting();
    // A visible top-level window of the program still starting (a splash, a sign-in), or null.
    HWND VisibleWindow() const;
    // Its window was found: the start is over.
    void Forget() { process.Reset(); }

    // The bound above; tests shorten it.
    DWORD startupBoundMs;

private:
    KernelHandle process;
    DWORD processId;
    DWORD startedAt;  // tick count of the start
};
