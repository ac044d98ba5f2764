#include "Console.h"
#include <windows.h>

namespace {

HANDLE StandardHandle(DWORD which) {
    HANDLE handle = GetStdHandle(which);
    if (handle && handle != INVALID_HANDLE_VALUE) return handle;
    // Started from a console without redirection: a windowed program gets no standard handles.
    static HANDLE console = INVALID_HANDLE_VALUE;
    if (console == INVALID_HANDLE_VALUE && AttachConsole(ATTACH_PARENT_PROCESS))
        console = CreateFileW(L"CONOUT$", GENERIC_WRITE, FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr);
    return console;
}

void WriteTo(DWORD which, const std::string& text) {
    HANDLE handle = StandardHandle(which);
    if (handle == INVALID_HANDLE_VALUE) return;
    DWORD written = 0;
    WriteFile(handle, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
}

}  // namespace

void WriteError(const std::string& utf8) { WriteTo(STD_ERROR_HANDLE, utf8); }
void WriteOutput(const std::string& utf8) { WriteTo(STD_OUTPUT_HANDLE, utf8); }
