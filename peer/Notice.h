// One notice of the stand-in. Most are what a messenger has, the fields that the kit encodes and sends
// (kit/MessengerLink.h); a notices file may instead give a payload byte for byte, for what a well-behaved kit
// never sends (over-bound and malformed notices), which the stand-in sends around the kit.
#pragma once
#include "../kit/MessengerLink.h"
#include <string>
#include <vector>

struct Notice {
    std::wstring key, portrait, sender, text;
    SYSTEMTIME time = {1601, 1, 1, 1, 0, 0, 0, 0};  // FILETIME 0
    bool raw = false;
    std::vector<BYTE> bytes;  // a raw notice's payload

    LinkNotice ForKit() const { return {key.c_str(), portrait.c_str(), sender.c_str(), text.c_str(), time}; }
    // A text field as the item reads it (a raw payload's from its bytes; "" when it has fewer fields).
    std::wstring Field(NoticeField field) const;
};

// A notice sent exactly as these bytes.
Notice RawNotice(std::vector<BYTE> bytes);
// The bytes read as UTF-16 (a trailing odd byte is dropped); for logs.
std::wstring PayloadText(const BYTE* bytes, size_t count);
// Generated notices for a flood: keys "flood-0", "flood-1", ..., texts of exactly textLength characters (the kit
// sends the first 256), times one second apart from 2024-05-17 09:00 in list order.
std::vector<Notice> FloodNotices(DWORD count, DWORD textLength);
