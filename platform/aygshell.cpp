// Our stand-in for the handheld shell helper library: the two bitmap and notification calls the item and
// the messenger stand-in use, with the handheld behaviour.
#define AYGSHELL_BUILD
#include "aygshell.h"
#include "BitmapFile.h"
#include "CappedText.h"
#include "ShellNotificationArea.h"

namespace {

void SendToNotificationArea(ShellNotificationOp op, const ShellNotificationRecord& record) {
    HWND area = FindWindowW(SHELL_NOTIFICATION_AREA_CLASS, nullptr);
    if (!area) return;
    COPYDATASTRUCT data = {op, sizeof(record), const_cast<ShellNotificationRecord*>(&record)};
    DWORD_PTR ignored = 0;
    // The real call is asynchronous; never let a busy notification area stall the caller for long.
    SendMessageTimeoutW(area, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&data), SMTO_ABORTIFHUNG, 2000, &ignored);
}

}  // namespace

// Null for a file that does not hold what its headers claim, as the handheld's loader answers a bad file: a
// bitmap whose pixels run past the end of its file would fault inside every block transfer of it.
AYGSHELL_API HBITMAP WINAPI SHLoadDIBitmap(LPCWSTR szFileName) { return LoadBitmapFile(szFileName); }

AYGSHELL_API LRESULT WINAPI SHNotificationAdd(SHNOTIFICATIONDATA* pndAdd) {
    if (!pndAdd || pndAdd->cbStruct < sizeof(SHNOTIFICATIONDATA)) return ERROR_INVALID_PARAMETER;
    ShellNotificationRecord record = {};
    record.clsid = pndAdd->clsid;
    record.id = pndAdd->dwID;
    record.priority = pndAdd->npPriority;
    record.durationSeconds = pndAdd->csDuration;
    record.flags = pndAdd->grfFlags;
    record.sinkWindow = static_cast<DWORD>(reinterpret_cast<UINT_PTR>(pndAdd->hwndSink));
    CopyCappedText(record.title, ARRAYSIZE(record.title), pndAdd->pszTitle);
    CopyCappedText(record.html, ARRAYSIZE(record.html), pndAdd->pszHTML);
    SendToNotificationArea(ShellNotificationOpAdd, record);
    return ERROR_SUCCESS;
}

AYGSHELL_API LRESULT WINAPI SHNotificationRemove(const CLSID* pclsid, DWORD dwID) {
    if (!pclsid || dwID == 0) return ERROR_INVALID_PARAMETER;
    ShellNotificationRecord record = {};
    record.clsid = *pclsid;
    record.id = dwID;
    SendToNotificationArea(ShellNotificationOpRemove, record);
    return ERROR_SUCCESS;
}
