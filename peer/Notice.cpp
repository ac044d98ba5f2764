#include "Notice.h"
#include <cstring>

NoticePayload PayloadFromText(const std::wstring& text) {
    NoticePayload bytes(text.size() * sizeof(wchar_t));
    if (!bytes.empty()) memcpy(bytes.data(), text.data(), bytes.size());
    return bytes;
}

NoticePayload BuildNoticePayload(const std::wstring& key, const std::wstring& portrait, const std::wstring& sender,
                                 const std::wstring& text, const std::wstring& time) {
    std::wstring joined = key;
    for (const std::wstring* field : {&portrait, &sender, &text, &time}) {
        joined += L'\0';
        joined += *field;
    }
    return PayloadFromText(joined);
}

std::vector<NoticePayload> FloodNotices(DWORD count, DWORD textLength) {
    const ULONGLONG firstTime = 133604100000000000ull;  // 2024-05-17 09:00 as a FILETIME count
    const ULONGLONG second = 10000000;
    static const wchar_t filler[] = L" the quick brown fox jumps over the lazy dog";
    std::vector<NoticePayload> notices;
    notices.reserve(count);
    for (DWORD i = 0; i < count; ++i) {
        std::wstring text = L"Notice " + std::to_wstring(i) + L":";
        while (text.size() < textLength) text += filler;
        text.resize(textLength);
        notices.push_back(BuildNoticePayload(L"flood-" + std::to_wstring(i), L"", L"Sender " + std::to_wstring(i % 97),
                                             text, std::to_wstring(firstTime + i * second)));
    }
    return notices;
}

std::wstring PayloadText(const BYTE* bytes, size_t count) {
    std::wstring text(count / sizeof(wchar_t), L'\0');
    if (!text.empty()) memcpy(&text[0], bytes, text.size() * sizeof(wchar_t));
    return text;
}

std::wstring PayloadKey(const NoticePayload& payload) {
    std::wstring text = PayloadText(payload.data(), payload.size());
    return text.substr(0, text.find(L'\0'));
}
