#include "RunningInstance.h"
#include "../link/LinkProtocol.h"

HWND FindRunningInstance() {
    HWND found = FindWindowW(MAIN_WINDOW_CLASS, MAIN_WINDOW_TITLE_LATIN);
    if (!found) found = FindWindowW(MAIN_WINDOW_CLASS, MAIN_WINDOW_TITLE_CHINESE);
    return found;
}
