// The module's two exports, by ordinal only: 240 initialises the item, 241 is the options dialog's procedure.
#include "../kit/LinkWire.h"
#include "../settings/OptionsDialog.h"
#include "MessengerTodayItem.h"
#include "ModuleState.h"

extern "C" HWND WINAPI InitializeCustomItem(TODAYLISTITEM* record, HWND parent) {
    MessengerTodayItem* item = itemPointer;
    if (!item || !record) return nullptr;
    try {
        if (!record->fEnabled) return nullptr;
        hostItemRecord = record;
        record->cyp = item->GetItemHeight();
        // A second initialisation replaces the window, so exactly one exists and it is the one published.
        item->ReleaseWindow();
        item->CreateItemWindow(ItemWindowProc, parent, ITEM_WINDOW_CLASS, ITEM_WINDOW_NAME, true);
        item->OnWindowCreated();
        return item->window;
    } catch (...) {
        return nullptr;
    }
}

extern "C" BOOL WINAPI CustomItemOptionsDlgProc(HWND dialog, UINT message, UINT wParam, LONG lParam) {
    MessengerTodayItem* item = itemPointer;
    if (!item) {
        // The dialog still closes by its buttons, or the settings page could never be left.
        if (message != WM_COMMAND || !EndsOptionsDialog(LOWORD(wParam))) return FALSE;
        EndOptionsDialog(dialog);
        return TRUE;
    }
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
