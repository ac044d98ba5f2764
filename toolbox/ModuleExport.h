// A DLL's export as a typed function pointer.
#pragma once
#include <windows.h>

// Null when missing. The cast goes by way of void*: FARPROC's own type has nothing to do with the export's.
template <typename Function>
Function ExportByName(HMODULE module, const char* name) {
    return reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(module, name)));
}

template <typename Function>
Function ExportByOrdinal(HMODULE module, WORD ordinal) {
    return ExportByName<Function>(module, MAKEINTRESOURCEA(ordinal));
}
