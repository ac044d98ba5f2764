// One notice as the item receives it: the bytes of a copy-data payload. The usual payload is the UTF-16 text
// of five fields separated by U+0000 (key, portrait path, sender, text, time as a decimal FILETIME count),
// without a terminator; notices files may also give odd payloads byte for byte.
#pragma once
#include <windows.h>
#include <string>
#include <vector>

using NoticePayload = std::vector<BYTE>;

NoticePayload BuildNoticePayload(const std::wstring& key, const std::wstring& portrait, const std::wstring& sender,
                                 const std::wstring& text, const std::wstring& time);
NoticePayload PayloadFromText(const std::wstring& text);
// The payload read as UTF-16 (a trailing odd byte is dropped); for logs and the window.
std::wstring PayloadText(const BYTE* bytes, size_t count);
// Generated notices for a flood: keys "flood-0", "flood-1", ..., texts of exactly textLength characters,
// times one second apart from 2024-05-17 09:00 in list order.
std::vector<NoticePayload> FloodNotices(DWORD count, DWORD textLength);
// The first field of a five-field payload; the whole text if it has no separator.
std::wstring PayloadKey(const NoticePayload& payload);
