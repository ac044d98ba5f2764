// The shell's named event "SYSTEM/ShellAPIReady" (manual reset). Items test it before they call the shell.
#pragma once
#include <windows.h>
#include "platform/ScopedHandles.h"

constexpr wchar_t SHELL_READY_EVENT_NAME[] = L"SYSTEM/ShellAPIReady";

class ShellReadyEvent {
public:
    // Creates (or opens) the event, unset. False when the event cannot be made.
    bool Create();
    void Set();
    void Reset();
    bool IsSet() const;
    // The host that goes away takes its readiness with it.
    ~ShellReadyEvent();

private:
    KernelHandle event;
};
