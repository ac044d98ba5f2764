// The item's link operations: thin forwarders to the link component, plus what a cleared list means for the
// item itself (animation stopped, dirty).
#include "MessengerItemModel.h"

int MessengerItemModel::OnWindowCreated() { return link.Connect(window, parentWindow); }

BOOL MessengerItemModel::OnCustomMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    LinkReply reply = link.OnMessage(message, wParam, lParam);
    if (reply.cleared) NoticesDropped();
    if (reply.dirty) dirty = true;
    if (reply.repaint) Invalidate();
    return reply.handled ? TRUE : FALSE;
}

void MessengerItemModel::NoticesDropped() {
    if (animationRunning) StopAnimation();
    dirty = true;
    ReleaseUnusedPortraitCopies();
}

void MessengerItemModel::ReleaseUnusedPortraitCopies() {
    PortraitInUse inUse[LOADED_PORTRAITS_MAX];
    const MessageList& notices = link.notices;
    const size_t count = notices.LoadedPortraitCount();
    for (size_t i = 0; i < count; ++i) {
        const PortraitInUse loaded = {notices.LoadedPortrait(i)->arrival, notices.LoadedPortrait(i)->portrait.get()};
        inUse[i] = loaded;
    }
    fittedPortraits.KeepOnly(inUse, count);
}
