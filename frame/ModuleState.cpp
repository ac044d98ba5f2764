// The one item of the module, and the module-wide values the host's queries share.
#include "ModuleState.h"
#include "MessengerTodayItem.h"
#include <new>

MessengerTodayItem* itemPointer = nullptr;
LPARAM optionsDialogParameter = 0;
TODAYLISTITEM* hostItemRecord = nullptr;
int lineCount = 1;
int lineHeight = 0;

void CreateItem(HINSTANCE module) {
    // nothrow: no storage leaves the pointer null; a throwing constructor frees the storage and propagates.
    itemPointer = new (std::nothrow) MessengerTodayItem(module);
}

void DestroyItem() {
    // The pointer is cleared first: teardown sends the goodbye to the main application, which may answer
    // with messages to the item window while the item is half destroyed. Those now get default handling.
    MessengerTodayItem* item = itemPointer;
    itemPointer = nullptr;
    hostItemRecord = nullptr;
    delete item;
}
