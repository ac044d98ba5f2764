// The one item of the module, and the module-wide values the host's queries share.
#include "MessengerTodayItem.h"
#include "ModuleState.h"
#include <new>

MessengerTodayItem* itemPointer = nullptr;
LPARAM optionsDialogParameter = 0;
int lineCount = 1;
int lineHeight = 20;

void CreateItem(HINSTANCE module) {
    // nothrow: no storage leaves the pointer null; a throwing constructor frees the storage and propagates.
    itemPointer = new (std::nothrow) MessengerTodayItem(module);
}

void DestroyItem() {
    if (itemPointer) delete itemPointer;
    itemPointer = nullptr;
}
