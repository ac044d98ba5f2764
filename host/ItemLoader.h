// Loading an item DLL the way the Today host does, and unloading it again.
#pragma once
#include <memory>
#include <string>
#include "HostedItem.h"
#include "ItemRegistry.h"
#include "toolbox/ModuleExport.h"

struct ItemLoadResult {
    std::unique_ptr<HostedItem> item;  // null when the item is not shown at all
    std::wstring note;                 // why not, or a warning about a loaded item
};

// LoadLibraryW, then export 240 with a filled-in record (cyp 0) and the host window as parent.
ItemLoadResult LoadItem(const ItemRegistration& registration, HWND hostWindow);

// WM_TODAYCUSTOM_CLEARCACHE, then FreeLibrary. Returns a warning when the item left its window behind.
std::wstring UnloadItem(HostedItem& item);
