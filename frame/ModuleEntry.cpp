// The module entry: the item lives from process attach to process detach.
#include "ModuleState.h"

BOOL WINAPI DllMain(HINSTANCE module, DWORD reason, LPVOID) {
    // With no memory for the item the pointer stays null, and every entry answers as for an item that does not
    // exist: the module still loads, and the Today screen goes on without it.
    if (reason == DLL_PROCESS_ATTACH) CreateItem(module);
    else if (reason == DLL_PROCESS_DETACH) DestroyItem();
    return TRUE;
}
