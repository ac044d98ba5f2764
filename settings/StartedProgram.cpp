#include "StartedProgram.h"
#include "../platform/StartProcess.h"

namespace {

struct WindowSearch {
    DWORD processId;
    HWND found;
};

BOOL CALLBACK MatchVisibleWindow(HWND window, LPARAM parameter) {
    WindowSearch* search = reinterpret_cast<WindowSearch*>(parameter);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner != search->processId || !IsWindowVisible(window)) return TRUE;
    search->found = window;
    return FALSE;
}

}  // namespace

bool StartedProgram::Start(const wchar_t* installPath) {
    HANDLE started = NULL;
    DWORD id = 0;
    if (!PlatformStartProcess(installPath, &started, &id)) return false;
    process.Reset(started);
    processId = id;
    startedAt = GetTickCount();
    return true;
}

bool StartedProgram::StillStarting() {
    if (!process) return false;
    // Ended without a window, or past the bound: a later start is a new one.
    if (WaitForSingleObject(process.get(), 0) == WAIT_TIMEOUT && GetTickCount() - startedAt < startupBoundMs)
        return true;
    process.Reset();
    return false;
}

HWND StartedProgram::VisibleWindow() const {
    if (!process) return NULL;
    WindowSearch search = {processId, NULL};
    EnumWindows(MatchVisibleWindow, reinterpret_cast<LPARAM>(&search));
    return search.found;
}
