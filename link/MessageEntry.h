// One message notice, parsed from the main application's copy-data payload.
#pragma once
#include <windows.h>
#include <memory>
#include <string>
#include <vector>

class MessageEntry {
public:
    MessageEntry() = default;
    ~MessageEntry();
    MessageEntry(const MessageEntry&) = delete;
    MessageEntry& operator=(const MessageEntry&) = delete;

    // The portrait, loaded from portraitPath on first request; a failed load is not retried.
    HBITMAP PortraitBitmap();

    std::wstring key;
    std::wstring portraitPath;
    std::wstring senderName;
    std::wstring messageText;
    FILETIME time = {0, 0};
    bool portraitFailed = false;
    HBITMAP portrait = nullptr;
};

// Builds an entry from `count` UTF-16 units of payload: key, portrait path, sender, text, time.
std::unique_ptr<MessageEntry> ParseNotice(const wchar_t* text, size_t count);
// Splits on the separator; empty fields are kept, so n separators give n + 1 fields (none for "").
std::vector<std::wstring> SplitFields(const std::wstring& text, wchar_t separator);
// Backspace, tab, line feed and carriage return become spaces; the length never changes.
void ReplaceControlChars(std::wstring& text);
