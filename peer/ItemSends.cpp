// What the stand-in sends the item: through the kit, step by step so that each message goes to the transcript
// with its answer; and, around the kit, the raw payloads of notices files.
#include "PeerApplication.h"
#include "Transcript.h"
#include "../toolbox/Utf8.h"

namespace {

WPARAM AsWParam(HWND window) { return reinterpret_cast<WPARAM>(window); }

// As the kit's push: once the item is gone or busy, the rest would only wait again.
bool Stops(LinkResult result) { return result == LINK_NO_ITEM || result == LINK_ITEM_BUSY; }

const char* RefusalName(LinkResult result) { return result == LINK_KEY_TOO_LONG ? "key too long" : "no date"; }

}  // namespace

LinkResult PeerApplication::Logged(UINT message, WPARAM wParam, LinkResult result) {
    if (result != LINK_NO_ITEM) transcript.Message(TranscriptDirection::Sent, message, wParam, 0, result == LINK_DONE);
    return result;
}

void PeerApplication::PushPending() {
    if (!link.FindItem()) return;
    if (Stops(Logged(LINKM_MAIN_ATTACH, AsWParam(window), link.Attach()))) return;
    for (const Notice& notice : pending)
        if (Stops(SendNotice(notice))) return;
    Logged(LINKM_SORT, 0, link.Sort());
}

void PeerApplication::SendNotices(const std::vector<Notice>& notices) {
    for (const Notice& notice : notices)
        if (Stops(SendNotice(notice))) return;
}

LinkResult PeerApplication::SendNotice(const Notice& notice) {
    if (notice.raw) return SendRaw(notice.bytes);
    LinkPayload sent;
    const LinkResult result = link.Add(notice.ForKit(), &sent);
    if (result == LINK_KEY_TOO_LONG || result == LINK_BAD_TIME) {
        transcript.Step("NoticeRefused", {{"key", ToUtf8(notice.key)}, {"why", RefusalName(result)}});
    } else if (result != LINK_NO_ITEM) {
        COPYDATASTRUCT data = {LINK_COPYDATA_KIND, static_cast<DWORD>(sent.count * sizeof(wchar_t)), sent.units};
        transcript.CopyData(TranscriptDirection::Sent, AsWParam(window), data, result == LINK_DONE);
    }
    return result;
}

LinkResult PeerApplication::SendRaw(const std::vector<BYTE>& payload) {
    const HWND item = link.Item();
    if (!item) return LINK_NO_ITEM;
    COPYDATASTRUCT data = {LINK_COPYDATA_KIND, static_cast<DWORD>(payload.size()), const_cast<BYTE*>(payload.data())};
    DWORD_PTR answer = 0;
    const bool answered = SendMessageTimeoutW(item, WM_COPYDATA, AsWParam(window), reinterpret_cast<LPARAM>(&data),
                                              SMTO_ABORTIFHUNG, LINK_REPLY_TIMEOUT_MS, &answer) != 0;
    transcript.CopyData(TranscriptDirection::Sent, AsWParam(window), data, answered ? answer : 0);
    if (!answered) return IsWindow(item) ? LINK_ITEM_BUSY : LINK_NO_ITEM;
    return answer ? LINK_DONE : LINK_REFUSED;
}
