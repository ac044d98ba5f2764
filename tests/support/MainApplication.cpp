#include "MainApplication.h"
#include "link/LinkProtocol.h"

MainApplicationWindow::MainApplicationWindow(const wchar_t* className, const wchar_t* title)
    : RecordingWindow(className, title) {
    answers[LINKM_PING] = 1;
    answers[LINKM_ACTIVATE] = 1;
    answers[WM_COPYDATA] = 1;
}

void MainApplicationWindow::Attach(HWND item) const {
    SendMessageW(item, LINKM_MAIN_ATTACH, reinterpret_cast<WPARAM>(hwnd()), 0);
}

void MainApplicationWindow::Show(HWND item, const std::vector<Notice>& notices) const {
    FeedNotices(item, hwnd(), notices);
}

std::vector<std::wstring> MainApplicationWindow::KeysReceived() const {
    std::vector<std::wstring> keys;
    for (const auto& m : Messages()) {
        if (!m.isCopyData) continue;
        keys.emplace_back(reinterpret_cast<const wchar_t*>(m.copyData.data()), m.copyData.size() / sizeof(wchar_t));
    }
    return keys;
}
