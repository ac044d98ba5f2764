// Export 240: the host hands over its item record and window; the item sizes itself and makes its window.
#include "MessengerTodayItem.h"
#include "ModuleState.h"
#include "../link/LinkProtocol.h"

extern "C" HWND WINAPI InitializeCustomItem(TODAYLISTITEM* record, HWND parent) {
    MessengerTodayItem* item = itemPointer;
    if (!item || !record) return nullptr;
    try {
        if (!record->fEnabled) return nullptr;
        record->cyp = item->GetItemHeight();
        // A second initialisation replaces the window, so exactly one exists and it is the one published.
        item->DestroyItemWindow();
        item->CreateItemWindow(ItemWindowProc, parent, ITEM_WINDOW_CLASS, ITEM_WINDOW_NAME, true);
        item->OnWindowCreated();
        return item->window;
    } catch (...) {
        return nullptr;
    }
}
