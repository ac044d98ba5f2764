// The item's paint, driven in order: the colours asked of the host, the background on an off-screen surface, the
// scene described from the item, the scene drawn, the surface copied to the window. The metrics and layout it
// used serve the height query and the taps until the next paint; the notice it showed is the one the action
// hands back.
#include "../render/PaintItem.h"
#include "MessengerTodayItem.h"
#include "ModuleState.h"

void MessengerTodayItem::RefreshColors() {
    QueryColors();
    currentTextColor = selected ? highlightedTextColor : textColor;
}

bool MessengerTodayItem::ShowsOneLineView() const {
    return !link.mainWindow || link.statusMode || link.notices.Empty();
}

ItemScene MessengerTodayItem::DescribeScene(const MessageEntry** described) {
    ItemScene scene;
    MessageList& notices = link.notices;
    scene.view = ShowsOneLineView() ? ItemView::OneLine : ItemView::ThreeLines;
    scene.selected = selected;
    scene.chineseTexts = chineseLanguage;
    scene.textColor = currentTextColor;
    scene.fontSizeSetting = fontSizeSetting.Read();
    scene.scale = ScreenScale();
    scene.icons = &icons;
    scene.noticeCount = notices.Size();
    scene.cursor = notices.Cursor();
    scene.canGoPrevious = notices.CanGoPrevious();
    scene.canGoNext = notices.CanGoNext();
    scene.prevArrowLit = prevArrowLit;
    scene.nextArrowLit = nextArrowLit;
    *described = NULL;
    const MessageEntry* entry = notices.Current();
    if (scene.view == ItemView::ThreeLines && entry) {
        *described = entry;
        scene.notice.senderName.units = entry->senderName.Text();
        scene.notice.senderName.length = entry->senderName.Length();
        scene.notice.messageText.units = entry->messageText.Text();
        scene.notice.messageText.length = entry->messageText.Length();
        scene.notice.time = entry->time;
        // Loaded here on first use; the portrait loaded longest ago may go, and its copy with it.
        scene.notice.portrait = notices.CurrentPortrait();
        scene.notice.portraitAwaited = !scene.notice.portrait && !entry->portraitFailed;
        scene.notice.arrival = entry->arrival;
        ReleaseUnusedPortraitCopies();
    }
    return scene;
}

bool MessengerTodayItem::TakeShownKey(const MessageEntry* shown, WideString& key) const {
    // The same key kept from the last paint needs no copy.
    if (!shown || shownKey.Equals(shown->key.Text(), shown->key.Length())) return true;
    return key.Assign(shown->key);
}

void MessengerTodayItem::NoteShownNotice(const MessageEntry* shown, WideString& key) {
    ++paints;
    noticeShown = shown != NULL;
    if (!shown) shownKey.Clear();
    else if (!shownKey.Equals(shown->key.Text(), shown->key.Length())) shownKey.Swap(key);  // the copy taken
}

void MessengerTodayItem::PaintReached(HDC dc, const RECT& reached) {
    // Nothing to show: the window is only validated, and what the screen shows and dirty stay as they were.
    if (reached.right <= reached.left || reached.bottom <= reached.top) return;
    const unsigned paintsBefore = paints;
    Paint(dc);
    RECT client = {0, 0, 0, 0};
    if (paints == paintsBefore || !GetClientRect(window, &client)) return;
    const bool whole = reached.left <= client.left && reached.top <= client.top && reached.right >= client.right &&
                       reached.bottom >= client.bottom;
    // Only part of the window shows what was just noted as on screen: all of it is asked for, once. A window
    // partly covered or out of the host's view is only ever reached in part, so the paint that answers the ask
    // asks nothing more.
    const bool ask = !whole && !wholeRepaintAsked;
    wholeRepaintAsked = ask;
    if (ask) InvalidateRect(window, NULL, FALSE);
}

void MessengerTodayItem::Paint(HDC dc) {
    RECT client = {0, 0, 0, 0};
    if (!GetClientRect(window, &client) || client.right <= client.left || client.bottom <= client.top) return;
    RefreshColors();
    const bool iconsThere = icons.LoadMissing();  // those that could not be made before are tried again
    // Nothing can be drawn without a surface: the window keeps what it shows, and the item is dirty, so the host's
    // next refresh asks again.
    PaintSurface surface(dc, client);
    if (!surface.Ready()) {
        dirty = true;
        return;
    }
    const ItemBackground background = {window, HostWhileParent(), selected, highlightColor};
    const bool backgroundDrawn = DrawItemBackground(surface.get(), client, background);
    // The scene points into the shown notice, which a message taken while the host paints the watermark may
    // free: it is described once the background is done.
    const MessageEntry* described = NULL;
    const ItemScene scene = DescribeScene(&described);
    const PaintResult painted = DrawItemScene(surface.get(), client, scene, layout, fittedPortraits);
    // The key of the notice about to be on screen is taken before it is: without it the window keeps what it
    // shows, whose key the item still holds, and the action never hands back a key other than the one on screen.
    WideString key;
    if (!painted.textsDrawn || !TakeShownKey(described, key) || !surface.CopyTo(dc)) {
        dirty = true;
        return;
    }
    lineHeight = painted.metrics.lineHeight;
    layout = painted.layout;
    NoteShownNotice(described, key);
    // What could not be made for want of memory is tried again at the host's next refresh; what failed otherwise
    // was drawn as its fallback and is not.
    dirty = !(painted.complete && backgroundDrawn && iconsThere);
}
