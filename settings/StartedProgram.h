// The main application's program as the item last started it. A program that was just started has no window
// yet: while it runs without one it is still starting, and starting it again would make two.
#pragma once
#include "../platform/ScopedHandles.h"
#include <string>

class StartedProgram {
public:
    // Starts the program at the install path and keeps its process; true when the platform reports success.
    bool Start(const std::wstring& installPath);
    // True while the program started last still runs. The caller has looked for its window and found none.
    bool StillStarting();
    // Its window was found: the start is over.
    void Forget() { process.Reset(); }

private:
    KernelHandle process;
};
