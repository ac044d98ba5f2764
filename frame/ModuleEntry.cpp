// The module entry: the item lives from process attach to process detach.
#include "ModuleState.h"

BOOL WINAPI DllMain(HINSTANCE module, DWORD reason, LPVOID) {
    try {
        if (reason == DLL_PROCESS_ATTACH) CreateItem(module);
        else if (reason == DLL_PROCESS_DETACH) DestroyItem();
    } catch (...) {
        // Construction failed and released what it built; the item pointer stays null and every entry
        // then answers as for an item that does not exist.
    }
    return TRUE;
}
