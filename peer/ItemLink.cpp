#include "ItemLink.h"
#include "../kit/LinkWire.h"
#include "Transcript.h"

void ItemLink::Push(const std::vector<NoticePayload>& notices) {
    if (!Linked()) return;
    Send(LINKM_MAIN_ATTACH, reinterpret_cast<WPARAM>(ownWindow));
    SendNotices(notices);
    Send(LINKM_SORT, 0);
}

void ItemLink::SendNotices(const std::vector<NoticePayload>& notices) {
    for (const NoticePayload& notice : notices) SendNotice(notice);
}

size_t ItemLink::Flood(const std::vector<NoticePayload>& notices) {
    size_t accepted = 0;
    for (const NoticePayload& notice : notices) {
        if (!Linked()) break;
        COPYDATASTRUCT data = {0, static_cast<DWORD>(notice.size()), const_cast<BYTE*>(notice.data())};
        if (SendMessageW(item, WM_COPYDATA, reinterpret_cast<WPARAM>(ownWindow), reinterpret_cast<LPARAM>(&data)))
            ++accepted;
    }
    return accepted;
}

LRESULT ItemLink::Send(UINT message, WPARAM wParam) {
    if (!Linked()) return 0;
    LRESULT result = SendMessageW(item, message, wParam, 0);
    transcript.Message(TranscriptDirection::Sent, message, wParam, 0, result);
    return result;
}

LRESULT ItemLink::SendNotice(const NoticePayload& notice) {
    if (!Linked()) return 0;
    COPYDATASTRUCT data = {0, static_cast<DWORD>(notice.size()), const_cast<BYTE*>(notice.data())};
    WPARAM sender = reinterpret_cast<WPARAM>(ownWindow);
    LRESULT result = SendMessageW(item, WM_COPYDATA, sender, reinterpret_cast<LPARAM>(&data));
    transcript.CopyData(TranscriptDirection::Sent, sender, data, result);
    return result;
}
