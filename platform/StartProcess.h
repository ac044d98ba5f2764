// Starting a program by its path, with no command line.
#pragma once
#include <windows.h>

// True when the program was started. When `process` is given it receives the program's process handle, for
// the caller to watch and close, and `processId` its id; the thread handle is closed here.
#ifdef UNDER_CE

// The handheld's prototype takes the current directory as LPWSTR; the security attributes, the
// environment, the current directory and the start-up record must be null, handles cannot be inherited.
inline BOOL PlatformStartProcess(LPCWSTR imagePath, HANDLE* process = NULL, DWORD* processId = NULL) {
    PROCESS_INFORMATION info = {};
    if (!CreateProcessW(imagePath, NULL, NULL, NULL, FALSE, 0, NULL, NULL, NULL, &info)) return FALSE;
    CloseHandle(info.hThread);
    if (process) *process = info.hProcess;
    else CloseHandle(info.hProcess);
    if (processId) *processId = info.dwProcessId;
    return TRUE;
}

#else

// Desktop CreateProcessW writes through a null start-up record or process-information record, so zeroed
// ones are passed here.
BOOL PlatformStartProcess(LPCWSTR imagePath, HANDLE* process = NULL, DWORD* processId = NULL);

#endif
