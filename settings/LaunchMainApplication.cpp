// Bringing the messenger's main application up: ask it, find it, or start it; and the item's action,
// which also hands the shown notice's key back to it.
#include "../frame/MessengerItemModel.h"
#include "../link/LinkProtocol.h"
#include "../platform/handheld.h"

bool MessengerItemModel::LaunchMainApplication() {
    return PlatformCreateProcessW(installPath.c_str(), nullptr, nullptr, nullptr, FALSE, 0, nullptr, nullptr, nullptr,
                                  nullptr) != FALSE;
}

bool MessengerItemModel::ActivateMainApplication() {
    if (mainWindow && SendToMainWindow(LINKM_ACTIVATE, reinterpret_cast<WPARAM>(window), 0) == 1) return true;
    HWND found = FindWindowW(MAIN_WINDOW_CLASS, MAIN_WINDOW_TITLE_CHINESE);
    if (!found) found = FindWindowW(MAIN_WINDOW_CLASS, MAIN_WINDOW_TITLE_LATIN);
    if (!found) {
        LaunchMainApplication();
        return true;
    }
    SetForegroundWindow(found);
    PlatformShowWindow(found, HANDHELD_SW_SHOWMAXIMIZED);
    return true;
}

int MessengerItemModel::OnAction() {
    if (animationRunning) StopAnimation();
    bool launched = false;
    if (mainWindow) ActivateMainApplication();
    else launched = LaunchMainApplication();
    if (!notices.Empty()) {
        const std::wstring& key = notices.Current().key;
        if (!SendCopyData(0, key.data(), static_cast<DWORD>(key.size() * sizeof(wchar_t)))) {
            // The key was refused: make sure the application runs (once per action) and drop the notices.
            if (!launched) LaunchMainApplication();
            ClearAll();
        }
    }
    selected = false;
    return 1;
}
