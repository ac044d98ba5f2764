#include "NoticeFeed.h"
#include "kit/LinkWire.h"

std::wstring TimeField(int hour, int minute, int day) {
    SYSTEMTIME time = {};
    time.wYear = 2024;
    time.wMonth = 5;
    time.wDay = static_cast<WORD>(day);
    time.wHour = static_cast<WORD>(hour);
    time.wMinute = static_cast<WORD>(minute);
    FILETIME file = {};
    SystemTimeToFileTime(&time, &file);
    ULONGLONG value = (static_cast<ULONGLONG>(file.dwHighDateTime) << 32) | file.dwLowDateTime;
    return std::to_wstring(value);
}

std::wstring JoinFields(const std::vector<std::wstring>& fields) {
    std::wstring text;
    for (size_t i = 0; i < fields.size(); ++i) text += (i ? std::wstring(1, L'\0') : L"") + fields[i];
    return text;
}

std::wstring NoticePayload(const Notice& notice) {
    return JoinFields({notice.key, notice.portraitPath, notice.sender, notice.text, notice.time});
}

std::wstring NoticePayload(const std::wstring& key, ULONGLONG time) {
    Notice notice;
    notice.key = key;
    notice.sender = L"Sender " + key;
    notice.text = L"Text of " + key;
    notice.time = std::to_wstring(time);
    return NoticePayload(notice);
}

namespace {
LRESULT SendPayload(HWND item, const std::wstring& payload, ULONG_PTR kind, HWND sender) {
    COPYDATASTRUCT data = {kind, static_cast<DWORD>(payload.size() * sizeof(wchar_t)),
                           const_cast<wchar_t*>(payload.data())};
    return SendMessageW(item, WM_COPYDATA, reinterpret_cast<WPARAM>(sender), reinterpret_cast<LPARAM>(&data));
}
}  // namespace

LRESULT SendNotice(HWND item, const Notice& notice, HWND sender) {
    return SendPayload(item, NoticePayload(notice), 0, sender);
}

LRESULT SendNotice(HWND item, const std::wstring& payload, ULONG_PTR kind) {
    return SendPayload(item, payload, kind, nullptr);
}

void FeedNotices(HWND item, HWND mainWindow, const std::vector<Notice>& notices) {
    SendMessageW(item, LINKM_MAIN_ATTACH, reinterpret_cast<WPARAM>(mainWindow), 0);
    for (const Notice& notice : notices) SendNotice(item, notice, mainWindow);
    SendMessageW(item, LINKM_SORT, 0, 0);
}

std::vector<Notice> NumberedNotices(int n) {
    std::vector<Notice> notices;
    for (int i = 0; i < n; ++i) {
        Notice notice;
        notice.key = L"k" + std::to_wstring(i);
        notice.sender = L"Sender " + std::to_wstring(i + 1);
        notice.text = L"Message " + std::to_wstring(i + 1);
        notice.time = TimeField(10, i);
        notices.push_back(notice);
    }
    return notices;
}
