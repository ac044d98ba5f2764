#include "Console.h"
#include "Utf8.h"
#include <windows.h>

namespace {

HANDLE StandardHandle(DWORD which) {
    HANDLE handle = GetStdHandle(which);
    if (handle && handle != INVALID_HANDLE_VALUE) return handle;
    // A windowed program started from a console without redirection gets no standard handles: it writes to
    // its parent's console instead.
    static HANDLE console = INVALID_HANDLE_VALUE;
    if (console == INVALID_HANDLE_VALUE && AttachConsole(ATTACH_PARENT_PROCESS))
        console = CreateFileW(L"CONOUT$", GENERIC_WRITE, FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr);
    return console;
}

void WriteTo(DWORD which, const std::string& bytes) {
    HANDLE handle = StandardHandle(which);
    if (handle == INVALID_HANDLE_VALUE) return;
    DWORD written = 0;
    WriteFile(handle, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
}

}  // namespace

void WriteOutput(const std::string& utf8) { WriteTo(STD_OUTPUT_HANDLE, utf8); }
void WriteError(const std::string& utf8) { WriteTo(STD_ERROR_HANDLE, utf8); }
void PrintOut(const std::wstring& line) { WriteTo(STD_OUTPUT_HANDLE, ToUtf8(line) + '\n'); }
void PrintError(const std::wstring& line) { WriteTo(STD_ERROR_HANDLE, ToUtf8(line) + '\n'); }
