// One message notice, as parsed from the main application's copy-data payload.
#pragma once
#include <windows.h>
#include "../platform/ScopedHandles.h"
#include <string>

class MessageEntry {
public:
    MessageEntry() = default;
    ~MessageEntry();
    MessageEntry(const MessageEntry&) = delete;
    MessageEntry& operator=(const MessageEntry&) = delete;

    // The portrait, loaded from portraitPath on first request; a failed load is not retried.
    HBITMAP PortraitBitmap();
    // Gives a loaded portrait's memory back (the owner then holds null); the next request loads it again.
    void ReleasePortrait();

    std::wstring key;
    std::wstring portraitPath;
    std::wstring senderName;
    std::wstring messageText;
    FILETIME time = {0, 0};
    bool portraitFailed = false;
    GdiObject<HBITMAP> portrait;
    // The portrait as the paint last stretched it for its cell (null while it is shown at its own size); it
    // goes with the portrait.
    GdiObject<HBITMAP> fittedPortrait;
    // Its place in the order of arrival (set by the list that took it in), which no sort changes.
    unsigned arrival = 0;
};
