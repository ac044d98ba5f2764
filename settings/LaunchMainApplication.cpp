// Bringing the messenger's main application up: ask it, find it, or start it; and the item's action,
// which also hands the shown notice's key back to it.
#include "../frame/MessengerItemModel.h"
#include "../link/LinkProtocol.h"
#include "../platform/StartProcess.h"
#include "../platform/handheld.h"

namespace {

// Asks the known main application to come up, else brings up its window found by class and title, else
// starts it. True when it tried to start it, so the caller does not start a second instance.
bool BringUpMainApplication(MessengerItemModel& item) {
    if (item.mainWindow &&
        item.SendToMainWindow(LINKM_ACTIVATE, reinterpret_cast<WPARAM>(item.window), 0) == 1)
        return false;
    // The Chinese title first, whatever the language the item shows.
    HWND found = FindWindowW(MAIN_WINDOW_CLASS, MAIN_WINDOW_TITLE_CHINESE);
    if (!found) found = FindWindowW(MAIN_WINDOW_CLASS, MAIN_WINDOW_TITLE_LATIN);
    if (!found) {
        item.LaunchMainApplication();
        return true;
    }
    SetForegroundWindow(found);
    PlatformShowWindow(found, HANDHELD_SW_SHOWMAXIMIZED);
    return false;
}

}  // namespace

bool MessengerItemModel::LaunchMainApplication() {
    return PlatformStartProcess(installPath.c_str()) != FALSE;
}

bool MessengerItemModel::ActivateMainApplication() {
    BringUpMainApplication(*this);
    return true;
}

int MessengerItemModel::OnAction() {
    if (animationRunning) StopAnimation();
    // One action starts the application at most once: a start that failed is not retried either, the
    // path would fail the same way.
    bool startTried;
    if (mainWindow) {
        startTried = BringUpMainApplication(*this);
    } else {
        LaunchMainApplication();
        startTried = true;
    }
    if (!notices.Empty()) {
        const std::wstring& key = notices.Current().key;
        if (!SendCopyData(0, key.data(), static_cast<DWORD>(key.size() * sizeof(wchar_t)))) {
            // The key was refused or nobody took it: the application must run, and the notices are stale.
            if (!startTried) LaunchMainApplication();
            ClearAll();
        }
    }
    selected = false;
    return 1;
}
