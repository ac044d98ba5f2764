// Starting a program by its path, with no command line, and keeping no handle to it.
#pragma once
#include <windows.h>

// True when the program was started.
#ifdef UNDER_CE

// The handheld's prototype takes the current directory as LPWSTR; the security attributes, the
// environment, the current directory and the start-up record must be null, handles cannot be inherited,
// and a null process-information record asks for no handles back.
inline BOOL PlatformStartProcess(LPCWSTR imagePath) {
    return CreateProcessW(imagePath, nullptr, nullptr, nullptr, FALSE, 0, nullptr, nullptr, nullptr, nullptr);
}

#else

// Desktop CreateProcessW writes through a null start-up record or process-information record, so zeroed
// ones are passed here and the two handles it returns are closed.
BOOL PlatformStartProcess(LPCWSTR imagePath);

#endif
