// Stands in for the main application's program when the item starts it: notes the start and exits.
// ARDENO_LAUNCH_LOG names a file that gets one line (the command line) per start; ARDENO_LAUNCH_SIGNAL
// names a semaphore released once per start, after the line is written. ARDENO_LAUNCH_HOLD names an event the
// program waits for before it exits (at most 30 s), as a program still starting that shows no window yet; with
// ARDENO_LAUNCH_SPLASH it shows meanwhile a visible window of class "LaunchRecorderSplash" titled by it, as a
// program that shows a splash or sign-in window before its main one.
#include <windows.h>
#include <string>
#include "../../platform/ScopedHandles.h"

namespace {

std::wstring Environment(const wchar_t* name) {
    wchar_t value[MAX_PATH * 2];
    DWORD length = GetEnvironmentVariableW(name, value, MAX_PATH * 2);
    return length && length < MAX_PATH * 2 ? std::wstring(value, length) : std::wstring();
}

void AppendLine(const std::wstring& path, const std::wstring& line) {
    KernelHandle file(CreateFileW(path.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                  OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return;
    std::wstring text = line + L"\n";
    DWORD written = 0;
    WriteFile(file.get(), text.data(), static_cast<DWORD>(text.size() * sizeof(wchar_t)), &written, nullptr);
}

// A visible top-level window of another class than the main application's.
void ShowSplash(const std::wstring& title) {
    WNDCLASSW windowClass = {};
    windowClass.lpfnWndProc = DefWindowProcW;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.lpszClassName = L"LaunchRecorderSplash";
    RegisterClassW(&windowClass);
    CreateWindowExW(0, windowClass.lpszClassName, title.c_str(), WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 200, 100,
                    nullptr, nullptr, windowClass.hInstance, nullptr);
}

// Waits for the event (at most 30 s), answering the window's messages meanwhile.
void PumpUntil(HANDLE event) {
    const DWORD start = GetTickCount();
    while (GetTickCount() - start < 30000) {
        if (MsgWaitForMultipleObjects(1, &event, FALSE, 100, QS_ALLINPUT) == WAIT_OBJECT_0) return;
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&message);
    }
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    std::wstring log = Environment(L"ARDENO_LAUNCH_LOG");
    if (!log.empty()) AppendLine(log, GetCommandLineW());
    std::wstring hold = Environment(L"ARDENO_LAUNCH_HOLD"), splash = Environment(L"ARDENO_LAUNCH_SPLASH");
    KernelHandle event;
    if (!hold.empty()) event.Reset(OpenEventW(SYNCHRONIZE, FALSE, hold.c_str()));
    if (event && !splash.empty()) ShowSplash(splash);  // before the start is signalled: a test then finds it
    std::wstring signal = Environment(L"ARDENO_LAUNCH_SIGNAL");
    if (!signal.empty()) {
        KernelHandle semaphore(OpenSemaphoreW(SEMAPHORE_MODIFY_STATE, FALSE, signal.c_str()));
        if (semaphore) ReleaseSemaphore(semaphore.get(), 1, nullptr);
    }
    if (event) PumpUntil(event.get());
    return 0;
}
