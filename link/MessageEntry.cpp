#include "MessageEntry.h"
#include "../platform/aygshell.h"

MessageEntry::~MessageEntry() { ReleasePortrait(); }

void MessageEntry::ReleasePortrait() {
    if (portrait) DeleteObject(portrait);
    portrait = nullptr;
}

HBITMAP MessageEntry::PortraitBitmap() {
    if (portrait || portraitFailed) return portrait;
    portrait = SHLoadDIBitmap(portraitPath.c_str());
    if (!portrait) portraitFailed = true;
    return portrait;
}
