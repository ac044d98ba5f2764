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

std::wstring PayloadText(const BYTE* bytes, size_t count) {
    std::wstring text(count / sizeof(wchar_t), L'\0');
    if (!text.empty()) memcpy(&text[0], bytes, text.size() * sizeof(wchar_t));
    return text;
}

std::wstring PayloadKey(const NoticePayload& payload) {
    std::wstring text = PayloadText(payload.data(), payload.size());
    return text.substr(0, text.find(L'\0'));
}
