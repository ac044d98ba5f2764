// The control commands (PeerCommands.h), as the running instance carries them out. Each is answered only when its
// work is done, so the command that sent it can return at that point.
#include "../kit/LinkWire.h"
#include "ControlProtocol.h"
#include "PeerApplication.h"
#include "PeerCommands.h"
#include "Transcript.h"
#include <cstring>

namespace {

bool ReadValue(const COPYDATASTRUCT& data, DWORD& value) {
    if (data.cbData != sizeof(value) || !data.lpData) return false;
    memcpy(&value, data.lpData, sizeof(value));
    return true;
}

}  // namespace

LRESULT PeerApplication::OnControl(WPARAM sender, const COPYDATASTRUCT& data) {
    const PeerCommandRow& command = *FindPeerCommand(data.dwData);
    const bool loggedFirst = command.flow != PeerCommandFlow::LoggedAfter;
    if (loggedFirst) transcript.CopyData(TranscriptDirection::Received, sender, data, 1, command.word);
    const bool done = (this->*command.handler)(data);
    if (!loggedFirst) transcript.CopyData(TranscriptDirection::Received, sender, data, done ? 1 : 0, command.word);
    return done ? 1 : 0;
}

bool PeerApplication::OnSendCommand(const COPYDATASTRUCT& data) { return TakeNotices(data, true); }

bool PeerApplication::OnAddCommand(const COPYDATASTRUCT& data) { return TakeNotices(data, false); }

bool PeerApplication::TakeNotices(const COPYDATASTRUCT& data, bool fullPush) {
    std::vector<Notice> notices;
    if (!UnpackNotices(static_cast<const BYTE*>(data.lpData), data.lpData ? data.cbData : 0, notices)) return false;
    AddPending(notices);
    if (fullPush) PushPending();
    else SendNotices(notices);
    return true;
}

bool PeerApplication::OnSortCommand(const COPYDATASTRUCT&) {
    Logged(LINKM_SORT, 0, link.Sort());
    return true;
}

bool PeerApplication::OnClearCommand(const COPYDATASTRUCT&) {
    ClearPending();
    Logged(LINKM_CLEAR, 0, link.Clear());
    return true;
}

bool PeerApplication::OnStatusCommand(const COPYDATASTRUCT& data) {
    DWORD value = 0;
    if (data.cbData && !ReadValue(data, value)) return false;
    Logged(LINKM_STATUS, value, link.Status(value));
    return true;
}

bool PeerApplication::OnDetachCommand(const COPYDATASTRUCT&) {
    Logged(LINKM_MAIN_DETACH, 0, link.Detach());
    InvalidateRect(window, nullptr, TRUE);
    return true;
}

bool PeerApplication::OnFloodCommand(const COPYDATASTRUCT& data) {
    DWORD values[2] = {};
    if (data.cbData != sizeof(values) || !data.lpData) return false;
    memcpy(values, data.lpData, sizeof(values));
    // Built before the first one goes out, so that the item receives them back to back; the kit sends them, and
    // the transcript is left out.
    for (const Notice& notice : FloodNotices(values[0], values[1]))
        if (link.Add(notice.ForKit()) == LINK_NO_ITEM) break;
    return true;
}

bool PeerApplication::OnHangCommand(const COPYDATASTRUCT& data) {
    DWORD milliseconds = 0;
    ReadValue(data, milliseconds);
    // Answer first, then hang inside the handler: every message sent to us after the command returns waits.
    ReplyMessage(1);
    Sleep(milliseconds);
    return true;
}

bool PeerApplication::OnSlowCommand(const COPYDATASTRUCT& data) {
    DWORD milliseconds = 0;
    if (!ReadValue(data, milliseconds)) return false;
    slowMs = milliseconds;
    return true;
}

bool PeerApplication::OnRestartCommand(const COPYDATASTRUCT& data) {
    DWORD awayMs = 0;
    ReadValue(data, awayMs);
    transcript.Step("Restart", {{"awayMs", awayMs}});
    // As a crash: no detach, the published handle goes stale and the notification stays up.
    restarting = true;
    DestroyWindow(window);
    restarting = false;
    if (awayMs) Sleep(awayMs);
    std::string error;
    if (CreateMainWindow(instance, error)) notification.Renew(window, pending.size());
    if (!window || !Appear(error)) {
        transcript.Step("RestartFailed", {{"error", error}});
        PostQuitMessage(1);
        return false;
    }
    return true;
}

bool PeerApplication::OnExitCommand(const COPYDATASTRUCT&) {
    Shutdown();
    ReplyMessage(1);
    DestroyWindow(window);
    return true;
}

bool PeerApplication::OnCrashCommand(const COPYDATASTRUCT&) {
    ReplyMessage(1);
    // No goodbye: the item keeps our stale handle and finds us gone by its ping.
    TerminateProcess(GetCurrentProcess(), 3);
    return true;
}
