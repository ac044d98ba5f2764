// The item's action: bring the messenger's main application up (ask it, find it, or start it) and hand the
// shown notice's key back to it.
#include "../link/LinkProtocol.h"
#include "../settings/MainApplication.h"
#include "MessengerItemModel.h"

namespace {
constexpr LRESULT ACTIVATION_DONE = 1;  // only this answer means the main application came forward
}  // namespace

bool MessengerItemModel::LaunchMainApplication() { return ::LaunchMainApplication(installPath); }

bool MessengerItemModel::BringUpMainApplication() {
    if (link.mainWindow) {
        MainAnswer activation = link.RequestActivation();
        if (activation.outcome == SendOutcome::Answered && activation.value == ACTIVATION_DONE) return false;
        // Slow, not gone: its window is neither touched (that could wait on it again) nor is it started twice.
        if (activation.outcome == SendOutcome::Busy) return false;
    }
    // The Chinese title first, whatever the language the item shows.
    HWND found = FindMainApplicationWindow(MAIN_WINDOW_CLASS, MAIN_WINDOW_TITLE_CHINESE, MAIN_WINDOW_TITLE_LATIN);
    if (!found) {
        LaunchMainApplication();
        return true;
    }
    ShowMainApplicationWindow(found);
    return false;
}

bool MessengerItemModel::ActivateMainApplication() {
    BringUpMainApplication();
    return true;
}

int MessengerItemModel::OnAction() {
    if (animationRunning) StopAnimation();
    // One action starts the application at most once: a start that failed is not retried either, the path
    // would fail the same way.
    bool startTried;
    if (link.mainWindow) {
        startTried = BringUpMainApplication();
    } else {
        LaunchMainApplication();
        startTried = true;
    }
    if (!link.notices.Empty()) {
        MainAnswer handedBack = link.HandBackCurrentKey();
        // The key was refused or nobody took it: the application must run, and the notices are stale. A busy
        // application keeps them: it is there, only slow.
        if (!handedBack.Done() && handedBack.outcome != SendOutcome::Busy) {
            if (!startTried) LaunchMainApplication();
            ClearAll();
        }
    }
    selected = false;
    return 1;
}
