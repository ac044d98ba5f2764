#include "ShellReadyEvent.h"

bool ShellReadyEvent::Create() {
    event.Reset(CreateEventW(nullptr, TRUE, FALSE, SHELL_READY_EVENT_NAME));
    if (!event.get()) return false;
    ResetEvent(event.get());  // an earlier host in this prefix may have left it set
    return true;
}

void ShellReadyEvent::Set() {
    if (event.get()) SetEvent(event.get());
}

void ShellReadyEvent::Reset() {
    if (event.get()) ResetEvent(event.get());
}

bool ShellReadyEvent::IsSet() const { return event.get() && WaitForSingleObject(event.get(), 0) == WAIT_OBJECT_0; }

ShellReadyEvent::~ShellReadyEvent() { Reset(); }
