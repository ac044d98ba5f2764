#include "ShellNotification.h"
#include "../link/LinkProtocol.h"
#include "../platform/aygshell.h"
#include "Transcript.h"
#include <string>

namespace {
const CLSID kNotificationClass = MAIN_NOTIFICATION_CLSID;
}

void ShellNotification::Raise(HWND sink, size_t pendingCount) {
    if (raised) return;
    std::wstring html = L"<p>" + std::to_wstring(pendingCount) + L" new messages</p>";
    SHNOTIFICATIONDATA data = {};
    data.cbStruct = sizeof(data);
    data.dwID = MAIN_NOTIFICATION_ID;
    data.npPriority = SHNP_INFORM;
    data.csDuration = 15;
    data.clsid = kNotificationClass;
    data.hwndSink = sink;
    data.pszTitle = MAIN_WINDOW_TITLE_LATIN;
    data.pszHTML = html.c_str();
    LRESULT result = SHNotificationAdd(&data);
    transcript.Call("SHNotificationAdd", MAIN_NOTIFICATION_ID, result);
    raised = result == ERROR_SUCCESS;
}

void ShellNotification::Remove() {
    if (!raised) return;
    LRESULT result = SHNotificationRemove(&kNotificationClass, MAIN_NOTIFICATION_ID);
    transcript.Call("SHNotificationRemove", MAIN_NOTIFICATION_ID, result);
    raised = false;
}
