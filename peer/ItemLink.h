// The stand-in's side of the link: the item window it knows (if any) and the messages it sends there, each
// written to the transcript with its answer. Sends are synchronous, as the messenger's are.
#pragma once
#include "Notice.h"
#include <windows.h>
#include <vector>

class Transcript;

class ItemLink {
public:
    explicit ItemLink(Transcript& transcript) : transcript(transcript) {}

    void SetOwnWindow(HWND window) { ownWindow = window; }
    void Remember(HWND item) { this->item = item; }
    void Forget() { item = nullptr; }
    HWND Item() const { return item; }
    bool Linked() const { return item != nullptr; }

    // The full push: attach (the item empties its list), one copy-data per notice, sort.
    void Push(const std::vector<NoticePayload>& notices);
    // Copy-data notices only, appended behind what the item holds.
    void SendNotices(const std::vector<NoticePayload>& notices);
    // Copy-data notices as fast as the item takes them: nothing written to the transcript. Answers how many the
    // item accepted.
    size_t Flood(const std::vector<NoticePayload>& notices);
    // Sends one private message (lParam 0); nothing is sent while unlinked.
    LRESULT Send(UINT message, WPARAM wParam);

private:
    LRESULT SendNotice(const NoticePayload& notice);

    Transcript& transcript;
    HWND ownWindow = nullptr;
    HWND item = nullptr;
};
