// One message notice, as parsed from the main application's copy-data payload.
#pragma once
#include <windows.h>
#include "../platform/ScopedHandles.h"
#include "../platform/WideString.h"

class MessageEntry {
public:
    MessageEntry();
    ~MessageEntry();

    // The portrait, loaded from portraitPath on first request. A file that cannot be loaded is not tried again;
    // a load that failed for want of memory is, at the next request.
    HBITMAP PortraitBitmap();
    // Gives a loaded portrait's memory back (the owner then holds null); the next request loads it again.
    void ReleasePortrait();
    // The bytes of its four texts, as the bound on what the list holds counts them.
    size_t TextBytes() const;

    WideString key;
    WideString portraitPath;
    WideString senderName;
    WideString messageText;
    FILETIME time;
    bool portraitFailed;
    GdiObject<HBITMAP> portrait;
    // Its place in the order of arrival (set by the list that took it in), which no sort changes.
    unsigned arrival;

private:
    MessageEntry(const MessageEntry&);
    MessageEntry& operator=(const MessageEntry&);
};
