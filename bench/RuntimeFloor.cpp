// The floor of the DLL-size figure: a DLL that does nothing, linked by bench/RuntimeFloor.cmake with the same
// static runtime as the item (every runtime symbol the item's objects use is pulled in).
#include <windows.h>

BOOL WINAPI DllMain(HINSTANCE, DWORD, LPVOID) { return TRUE; }
