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
        scene.notice.arrival = entry->arrival;
        ReleaseUnusedPortraitCopies();
    }
    return scene;
}

void MessengerTodayItem::NoteShownNotice(const MessageEntry* shown) {
    ++paints;
    noticeShown = shown != NULL;
    if (!shown) {
        shownKey.Clear();
        return;
    }
    // The same key kept from the last paint needs no copy; a copy that cannot be made keeps none, so nothing
    // would be handed back rather than a key that was never on screen.
    if (!shownKey.Equals(shown->key.Text(), shown->key.Length()) && !shownKey.Assign(shown->key))
        noticeShown = false;
}

void MessengerTodayItem::Paint(HDC dc) {
    RECT client = {0, 0, 0, 0};
    if (!GetClientRect(window, &client) || client.right <= client.left || client.bottom <= client.top) return;
    RefreshColors();
    const bool iconsThere = icons.LoadMissing();  // those that could not be made before are tried again
    // Nothing can be drawn without a surface: the window keeps what it shows, and the item stays dirty, so the
    // host's next refresh asks again.
    PaintSurface surface(dc, client);
    if (!surface.Ready()) return;
    const ItemBackground background = {window, GetParent(window), selected, highlightColor};
    const bool backgroundDrawn = DrawItemBackground(surface.get(), client, background);
    // The scene points into the shown notice, which a message taken while the host paints the watermark may
    // free: it is described once the background is done.
    const MessageEntry* described = NULL;
    const ItemScene scene = DescribeScene(&described);
    const PaintResult painted = DrawItemScene(surface.get(), client, scene, layout, fittedPortraits);
    if (!painted.textsDrawn || !surface.CopyTo(dc)) return;
    lineHeight = painted.metrics.lineHeight;
    layout = painted.layout;
    NoteShownNotice(described);
    // What could not be made is tried again at the host's next refresh.
    dirty = !(painted.complete && backgroundDrawn && iconsThere);
}
