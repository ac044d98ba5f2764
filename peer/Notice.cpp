#include "Notice.h"
#include <cstring>

std::wstring Notice::Field(NoticeField field) const {
    if (!raw) {
        const std::wstring* fields[] = {&key, &portrait, &sender, &text};
        return field < NOTICE_FIELD_TIME ? *fields[field] : std::wstring();
    }
    const std::wstring payload = PayloadText(bytes.data(), bytes.size());
    size_t start = 0;
    for (int i = 0; i < field; ++i) {
        start = payload.find(NOTICE_FIELD_SEPARATOR, start);
        if (start == std::wstring::npos) return std::wstring();
        ++start;
    }
    return payload.substr(start, payload.find(NOTICE_FIELD_SEPARATOR, start) - start);
}

Notice RawNotice(std::vector<BYTE> bytes) {
    Notice notice;
    notice.raw = true;
    notice.bytes = std::move(bytes);
    return notice;
}

std::wstring PayloadText(const BYTE* bytes, size_t count) {
    std::wstring text(count / sizeof(wchar_t), L'\0');
    if (!text.empty()) memcpy(&text[0], bytes, text.size() * sizeof(wchar_t));
    return text;
}

std::vector<Notice> FloodNotices(DWORD count, DWORD textLength) {
    const ULONGLONG firstTime = 133604100000000000ull;  // 2024-05-17 09:00 as a FILETIME count
    const ULONGLONG second = 10000000;
    static const wchar_t filler[] = L" the quick brown fox jumps over the lazy dog";
    std::vector<Notice> notices(count);
    for (DWORD i = 0; i < count; ++i) {
        Notice& notice = notices[i];
        notice.key = L"flood-" + std::to_wstring(i);
        notice.sender = L"Sender " + std::to_wstring(i % 97);
        notice.text = L"Notice " + std::to_wstring(i) + L":";
        while (notice.text.size() < textLength) notice.text += filler;
        notice.text.resize(textLength);
        ULARGE_INTEGER time;
        time.QuadPart = firstTime + i * second;
        const FILETIME moment = {time.LowPart, time.HighPart};
        FileTimeToSystemTime(&moment, &notice.time);
    }
    return notices;
}
