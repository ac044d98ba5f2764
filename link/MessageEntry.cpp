#include "MessageEntry.h"
#include "../platform/aygshell.h"

MessageEntry::~MessageEntry() { ReleasePortrait(); }

void MessageEntry::ReleasePortrait() {
    fittedPortrait.Reset();
    portrait.Reset();
}

HBITMAP MessageEntry::PortraitBitmap() {
    if (portrait || portraitFailed) return portrait.get();
    portrait.Reset(SHLoadDIBitmap(portraitPath.c_str()));
    if (!portrait) portraitFailed = true;
    return portrait.get();
}
