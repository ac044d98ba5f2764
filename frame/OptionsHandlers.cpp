// The item's options-dialog operations, routed from export 241.
#include "../settings/OptionsDialog.h"
#include "MessengerTodayItem.h"

void MessengerTodayItem::OnOptionsInitDialog(HWND, LPARAM) {}

void MessengerTodayItem::OnOptionsCommand(HWND dialog, LPARAM dialogParam, UINT, UINT controlId, LPARAM) {
    if (controlId == IDOK) OnOptionsOk(dialog, dialogParam);
    else if (controlId == IDCANCEL) OnOptionsCancel(dialog, dialogParam);
}

void MessengerTodayItem::OnOptionsOk(HWND dialog, LPARAM) { EndOptionsDialog(dialog); }

void MessengerTodayItem::OnOptionsCancel(HWND dialog, LPARAM) { EndOptionsDialog(dialog); }

void MessengerTodayItem::OnOptionsDestroy(HWND, LPARAM) { dirty = true; }
