#include "RunningInstance.h"
#include "../kit/LinkWire.h"

HWND FindRunningInstance() {
    HWND found = FindWindowW(MAIN_WINDOW_CLASS, MAIN_WINDOW_TITLE_LATIN);
    if (!found) found = FindWindowW(MAIN_WINDOW_CLASS, MAIN_WINDOW_TITLE_CHINESE);
    return found;
}
