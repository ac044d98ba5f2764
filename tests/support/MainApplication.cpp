#include "MainApplication.h"
#include "kit/LinkWire.h"

MainApplicationWindow::MainApplicationWindow(const wchar_t* className, const wchar_t* title)
    : RecordingWindow(className, title) {
    answers = kMainApplicationAnswers;
}

void MainApplicationWindow::Attach(HWND item) const {
    SendMessageW(item, LINKM_MAIN_ATTACH, reinterpret_cast<WPARAM>(hwnd()), 0);
}

void MainApplicationWindow::Show(HWND item, const std::vector<Notice>& notices) const {
    FeedNotices(item, hwnd(), notices);
}

std::vector<std::wstring> MainApplicationWindow::KeysReceived() const {
    std::vector<std::wstring> keys;
    for (const auto& m : Messages())
        if (m.isCopyData) keys.push_back(m.CopyDataText());
    return keys;
}

std::vector<ExpectedMessage> AttachAnnouncement(HWND item) {
    return {{LINKM_ITEM_ATTACH, Delivery::Sent, reinterpret_cast<WPARAM>(item), 0}};
}

std::vector<ExpectedMessage> ItemGoodbye(HWND item) {
    return {{LINKM_ITEM_DETACH, Delivery::Sent, reinterpret_cast<WPARAM>(item)}};
}

std::vector<ExpectedMessage> KeyHandBack(HWND item, const std::wstring& key) {
    return {{LINKM_ACTIVATE, Delivery::Sent, reinterpret_cast<WPARAM>(item)}, CopyDataFrom(item, key)};
}
