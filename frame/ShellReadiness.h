// Whether the shell's functions can be called yet: the shell sets its named event once they can, and never
// resets it.
#pragma once
#include "../platform/ScopedHandles.h"

class ShellReadiness {
public:
    // Only an existing event that is not yet set means "not ready". The event is opened once and forgotten
    // once seen set, so a ready shell costs nothing more.
    bool IsReady();

    ShellReadiness() : ready(false) {}

private:
    KernelHandle event;
    bool ready;
};
