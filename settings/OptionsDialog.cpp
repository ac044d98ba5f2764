// Export 241 and the item's options-dialog handlers. The dialog offers one, two or three lines but
// stores nothing; closing it only marks the item for redrawing.
#include "../frame/MessengerTodayItem.h"
#include "../frame/ModuleState.h"

extern "C" BOOL WINAPI CustomItemOptionsDlgProc(HWND dialog, UINT message, UINT wParam, LONG lParam) {
    MessengerTodayItem* item = itemPointer;
    if (!item) return FALSE;
    try {
        switch (message) {
        case WM_DESTROY:
            item->OnOptionsDestroy(dialog, optionsDialogParameter);
            optionsDialogParameter = 0;
            return TRUE;
        case WM_INITDIALOG:
            optionsDialogParameter = lParam;
            item->OnOptionsInitDialog(dialog, lParam);
            return TRUE;
        case WM_COMMAND:
            item->OnOptionsCommand(dialog, optionsDialogParameter, HIWORD(wParam), LOWORD(wParam), lParam);
            return TRUE;
        default:
            return FALSE;
        }
    } catch (...) {
        return FALSE;
    }
}

void MessengerTodayItem::OnOptionsInitDialog(HWND, LPARAM) {}

void MessengerTodayItem::OnOptionsCommand(HWND dialog, LPARAM dialogParam, UINT, UINT controlId, LPARAM) {
    if (controlId == IDOK) OnOptionsOk(dialog, dialogParam);
    else if (controlId == IDCANCEL) OnOptionsCancel(dialog, dialogParam);
}

void MessengerTodayItem::OnOptionsOk(HWND dialog, LPARAM) { EndDialog(dialog, 1); }

// Cancel ends the dialog like OK: there is nothing to undo.
void MessengerTodayItem::OnOptionsCancel(HWND dialog, LPARAM) { EndDialog(dialog, 1); }

void MessengerTodayItem::OnOptionsDestroy(HWND, LPARAM) { dirty = true; }
