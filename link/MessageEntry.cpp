#include "MessageEntry.h"
#include "../platform/ItemMemory.h"
#include "../platform/aygshell.h"

MessageEntry::MessageEntry() : portraitFailed(false), arrival(0) {
    time.dwLowDateTime = 0;
    time.dwHighDateTime = 0;
}

MessageEntry::~MessageEntry() { ReleasePortrait(); }

void MessageEntry::ReleasePortrait() { portrait.Reset(); }

HBITMAP MessageEntry::PortraitBitmap() {
    if (portrait || portraitFailed) return portrait.get();
    if (portraitPath.IsEmpty()) {
        portraitFailed = true;  // no file named: nothing to load, now or later
        return NULL;
    }
    SetLastError(ERROR_SUCCESS);
    portrait.Reset(SHLoadDIBitmap(portraitPath.Text()));
    if (portrait) return portrait.get();
    // Short of memory the same file loads later; a file that is missing or broken stays so.
    if (!FailedForWantOfMemory()) portraitFailed = true;
    return NULL;
}
