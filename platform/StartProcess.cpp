#include "StartProcess.h"

#ifndef UNDER_CE

BOOL PlatformStartProcess(LPCWSTR imagePath, HANDLE* process, DWORD* processId) {
    STARTUPINFOW startup = {};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION info = {};
    if (!CreateProcessW(imagePath, nullptr, nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &info))
        return FALSE;
    CloseHandle(info.hThread);
    if (process) *process = info.hProcess;
    else CloseHandle(info.hProcess);
    if (processId) *processId = info.dwProcessId;
    return TRUE;
}

#endif
