// The one item of the module, and the module-wide values the host's queries share.
#include "ModuleState.h"
#include "MessengerTodayItem.h"
#include "../platform/ItemMemory.h"

MessengerTodayItem* itemPointer = NULL;
LPARAM optionsDialogParameter = 0;
TODAYLISTITEM* hostItemRecord = NULL;
int lineCount = 1;
int lineHeight = 0;

void CreateItem(HINSTANCE module) {
    // No storage leaves the pointer null. The constructor itself cannot fail: what it cannot make now (an icon)
    // is made later.
    itemPointer = ITEM_NEW MessengerTodayItem(module);
}

void DestroyItem() {
    // The pointer is cleared first: teardown sends the goodbye to the main application, which may answer
    // with messages to the item window while the item is half destroyed. Those now get default handling.
    MessengerTodayItem* item = itemPointer;
    itemPointer = NULL;
    hostItemRecord = NULL;
    delete item;
}
