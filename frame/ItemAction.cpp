// The item's action: bring the messenger's main application up (ask it, find it, or start it) and hand the
// shown notice's key back to it.
#include "../kit/LinkWire.h"
#include "../settings/MainApplication.h"
#include "MessengerItemModel.h"

namespace {

// Marks an action as running for as long as it runs, however it ends.
class RunningFlag {
public:
    explicit RunningFlag(bool& flag) : flag(flag) { flag = true; }
    ~RunningFlag() { flag = false; }

private:
    RunningFlag(const RunningFlag&);
    RunningFlag& operator=(const RunningFlag&);

    bool& flag;
};
}  // namespace

bool MessengerItemModel::LaunchMainApplication() { return startedProgram.Start(installPath); }

void MessengerItemModel::ShowOrStartMainApplication() {
    // The Chinese title first, whatever the language the item shows.
    HWND found = FindMainApplicationWindow(MAIN_WINDOW_CLASS, MAIN_WINDOW_TITLE_CHINESE, MAIN_WINDOW_TITLE_LATIN);
    if (found) {
        startedProgram.Forget();
        ShowMainApplicationWindow(found, LINK_REPLY_TIMEOUT_MS);
        return;
    }
    // Started by an earlier tap and not showing its main window yet: a second start would make two. What it
    // does show meanwhile (a splash, a sign-in) is what the user tapped for.
    if (startedProgram.StillStarting()) {
        const HWND own = startedProgram.VisibleWindow();
        if (own) BringWindowForward(own);
        return;
    }
    LaunchMainApplication();
}

bool MessengerItemModel::BringUpMainApplication() {
    if (link.mainWindow) {
        MainAnswer activation = link.RequestActivation();
        if (activation.outcome == SendOutcome::Answered && activation.value == LINK_ACTIVATION_DONE) return false;
        // Slow, not gone: its window is neither touched (that could wait on it again) nor is it started twice.
        if (activation.outcome == SendOutcome::Busy) return false;
    }
    ShowOrStartMainApplication();
    return true;
}

int MessengerItemModel::OnAction() {
    // The sends below take the main application's messages while they wait; one that sends the action back
    // (or anyone holding the item's window) would otherwise start a second action inside this one.
    if (actionRunning) return 1;
    RunningFlag running(actionRunning);
    if (animationRunning) StopAnimation();
    // What the user acted on: the notice on screen and the notices held at this moment. What the main
    // application pushes while it is brought up or takes the key changes neither.
    const bool handsBack = noticeShown;
    WideString key;
    key.Swap(shownKey);
    const unsigned paintsBefore = paints;
    const HeldNotices held = link.Held();
    // One action looks for the application, or starts it, at most once: a start that failed is not retried
    // either, the path would fail the same way.
    const bool lookedForIt = BringUpMainApplication();
    if (handsBack) {
        MainAnswer handedBack = link.HandBackKey(key.Text(), key.Length());
        // The key was refused or nobody took it: the application must run, and the notices held are stale.
        // A busy application keeps them: it is there, only slow. Notices pushed during the wait are new.
        if (!handedBack.Done() && handedBack.outcome != SendOutcome::Busy) {
            if (!lookedForIt) ShowOrStartMainApplication();
            if (link.DropHeld(held)) {
                NoticesDropped();
                Invalidate();  // the dropped notice may be the one on screen
            }
        }
    }
    // Nothing was painted meanwhile: the same notice is still on screen.
    if (paints == paintsBefore) shownKey.Swap(key);
    selected = false;
    return 1;
}
