#include "MessageEntry.h"
#include "../platform/ItemMemory.h"
#include "../platform/aygshell.h"
#include "PortraitFile.h"

MessageEntry::MessageEntry() : portraitFailed(false), arrival(0) {
    time.dwLowDateTime = 0;
    time.dwHighDateTime = 0;
}

MessageEntry::~MessageEntry() { ReleasePortrait(); }

void MessageEntry::ReleasePortrait() { portrait.Reset(); }

size_t MessageEntry::TextBytes() const {
    return (key.Length() + portraitPath.Length() + senderName.Length() + messageText.Length()) * sizeof(wchar_t);
}

HBITMAP MessageEntry::PortraitBitmap() {
    if (portrait || portraitFailed) return portrait.get();
    // No file named, or none the item may open on the user-interface thread: nothing to load, now or later.
    if (portraitPath.IsEmpty() || !PortraitPathAccepted(portraitPath.Text()) ||
        !PortraitFileAccepted(portraitPath.Text())) {
        portraitFailed = true;
        return NULL;
    }
    SetLastError(ERROR_SUCCESS);
    portrait.Reset(SHLoadDIBitmap(portraitPath.Text()));
    if (portrait) return portrait.get();
    // Short of memory the same file loads later; a file that is missing or broken stays so.
    if (!FailedForWantOfMemory()) portraitFailed = true;
    return NULL;
}
