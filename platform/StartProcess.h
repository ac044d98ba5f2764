// Starting a program by its path, with no command line.
#pragma once
#include <windows.h>

// True when the program was started. When `process` is given it receives the program's process handle, for
// the caller to watch and close; the thread handle is closed here.
#ifdef UNDER_CE

// The handheld's prototype takes the current directory as LPWSTR; the security attributes, the
// environment, the current directory and the start-up record must be null, handles cannot be inherited.
inline BOOL PlatformStartProcess(LPCWSTR imagePath, HANDLE* process = nullptr) {
    PROCESS_INFORMATION info = {};
    if (!CreateProcessW(imagePath, nullptr, nullptr, nullptr, FALSE, 0, nullptr, nullptr, nullptr, &info)) return FALSE;
    CloseHandle(info.hThread);
    if (process) *process = info.hProcess;
    else CloseHandle(info.hProcess);
    return TRUE;
}

#else

// Desktop CreateProcessW writes through a null start-up record or process-information record, so zeroed
// ones are passed here.
BOOL PlatformStartProcess(LPCWSTR imagePath, HANDLE* process = nullptr);

#endif
