#include "ShellReadiness.h"

namespace {
const wchar_t SHELL_READY_EVENT_NAME[] = L"SYSTEM/ShellAPIReady";
}  // namespace

bool ShellReadiness::IsReady() {
    if (ready) return true;
    if (!event) {
        SetLastError(ERROR_SUCCESS);
        KernelHandle opened(CreateEventW(NULL, TRUE, FALSE, SHELL_READY_EVENT_NAME));
        // No handle: the wait would fail, and a failed wait counts as ready. No event before we asked: this
        // host has no shell that would ever set it, and waiting on our own event would hide the item for ever.
        if (!opened || GetLastError() != ERROR_ALREADY_EXISTS) {
            ready = true;
            return true;
        }
        event.Reset(opened.Release());
    }
    if (WaitForSingleObject(event.get(), 0) == WAIT_TIMEOUT) return false;
    ready = true;
    event.Reset();
    return true;
}
