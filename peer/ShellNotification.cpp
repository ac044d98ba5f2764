#include "ShellNotification.h"
#include "../kit/LinkWire.h"
#include "../platform/aygshell.h"
#include "Transcript.h"

namespace {
const CLSID kNotificationClass = MAIN_NOTIFICATION_CLSID;
}

std::wstring NotificationHtml(size_t pendingCount, bool chinese) {
    std::wstring count = std::to_wstring(pendingCount);
    if (chinese) return L"<p>" + count + L" \u6761\u65B0\u6D88\u606F</p>";
    return L"<p>" + count + (pendingCount == 1 ? L" new message</p>" : L" new messages</p>");
}

void ShellNotification::Show(HWND sink, size_t pendingCount) {
    if (pendingCount == 0) {
        Remove();
        return;
    }
    if (raised && pendingCount == shownCount) return;
    // The handheld's shell helpers offer add and remove only: a new count replaces the entry.
    Remove();
    Raise(sink, pendingCount);
}

void ShellNotification::Renew(HWND sink, size_t pendingCount) {
    raised = true;
    shownCount = 0;
    Show(sink, pendingCount);
}

void ShellNotification::Raise(HWND sink, size_t pendingCount) {
    std::wstring html = NotificationHtml(pendingCount, chinese);
    SHNOTIFICATIONDATA data = {};
    data.cbStruct = sizeof(data);
    data.dwID = MAIN_NOTIFICATION_ID;
    data.npPriority = SHNP_INFORM;
    data.csDuration = 15;
    data.clsid = kNotificationClass;
    data.hwndSink = sink;
    data.pszTitle = chinese ? MAIN_WINDOW_TITLE_CHINESE : MAIN_WINDOW_TITLE_LATIN;
    data.pszHTML = html.c_str();
    LRESULT result = SHNotificationAdd(&data);
    transcript.Call("SHNotificationAdd", MAIN_NOTIFICATION_ID, result, html);
    raised = result == ERROR_SUCCESS;
    shownCount = raised ? pendingCount : 0;
}

void ShellNotification::Remove() {
    if (!raised) return;
    LRESULT result = SHNotificationRemove(&kNotificationClass, MAIN_NOTIFICATION_ID);
    transcript.Call("SHNotificationRemove", MAIN_NOTIFICATION_ID, result);
    raised = false;
    shownCount = 0;
}
