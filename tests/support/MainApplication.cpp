#include "MainApplication.h"
#include "link/LinkProtocol.h"

std::wstring NoticePayload(const Notice& notice) {
    std::wstring payload;
    for (const std::wstring* field : {&notice.key, &notice.portraitPath, &notice.sender, &notice.text}) {
        payload += *field;
        payload += L'\0';
    }
    payload += std::to_wstring(notice.time);
    return payload;
}

LRESULT SendNotice(HWND item, HWND sender, const Notice& notice) {
    std::wstring payload = NoticePayload(notice);
    COPYDATASTRUCT record = {0, static_cast<DWORD>(payload.size() * sizeof(wchar_t)), &payload[0]};
    return SendMessageW(item, WM_COPYDATA, reinterpret_cast<WPARAM>(sender), reinterpret_cast<LPARAM>(&record));
}

std::vector<Notice> NumberedNotices(int count) {
    std::vector<Notice> notices;
    for (int i = 0; i < count; ++i) {
        const ULONGLONG tenOClock = 10ULL * 3600 * 10000000;
        notices.push_back({L"k" + std::to_wstring(i), L"", L"Sender " + std::to_wstring(i),
                           L"Message " + std::to_wstring(i), tenOClock + static_cast<ULONGLONG>(i) * 600000000});
    }
    return notices;
}

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
    Attach(item);
    for (const auto& notice : notices) SendNotice(item, hwnd(), notice);
    SendMessageW(item, LINKM_SORT, 0, 0);
}

std::vector<std::wstring> MainApplicationWindow::KeysReceived() const {
    std::vector<std::wstring> keys;
    for (const auto& m : Messages()) {
        if (!m.isCopyData) continue;
        keys.emplace_back(reinterpret_cast<const wchar_t*>(m.copyData.data()), m.copyData.size() / sizeof(wchar_t));
    }
    return keys;
}
