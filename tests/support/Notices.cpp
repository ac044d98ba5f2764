#include "Notices.h"

std::wstring NoticePayload(const std::wstring& key, const std::wstring& portraitPath, const std::wstring& sender,
                           const std::wstring& text, const std::wstring& time) {
    std::wstring payload = key;
    for (const std::wstring* field : {&portraitPath, &sender, &text, &time}) {
        payload.push_back(L'\0');
        payload += *field;
    }
    return payload;
}

std::wstring NoticePayload(const std::wstring& key, ULONGLONG time) {
    return NoticePayload(key, L"", L"Sender " + key, L"Text of " + key, std::to_wstring(time));
}

LRESULT SendNotice(HWND item, const std::wstring& payload, ULONG_PTR kind) {
    COPYDATASTRUCT data = {kind, static_cast<DWORD>(payload.size() * sizeof(wchar_t)),
                           const_cast<wchar_t*>(payload.data())};
    return SendMessageW(item, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&data));
}
