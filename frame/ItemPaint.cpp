// The item's paint: the colours are asked of the host, the scene is described from the item, and the
// painting returns the metrics and layout that the height query and the taps use until the next paint.
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

ItemScene MessengerTodayItem::DescribeScene() {
    ItemScene scene;
    const MessageList& notices = link.notices;
    scene.view = ShowsOneLineView() ? ItemView::OneLine : ItemView::ThreeLines;
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
    describedNotice = nullptr;
    if (scene.view == ItemView::ThreeLines) {
        MessageEntry& entry = link.notices.Current();
        describedNotice = &entry;
        scene.notice.senderName = &entry.senderName;
        scene.notice.messageText = &entry.messageText;
        scene.notice.time = entry.time;
        scene.notice.portrait = link.notices.CurrentPortrait();
        scene.notice.fittedPortrait = &entry.fittedPortrait;
    }
    return scene;
}

void MessengerTodayItem::Paint(HDC dc) {
    RECT client = {0, 0, 0, 0};
    if (!GetClientRect(window, &client)) return;
    RefreshColors();
    // The scene points into the shown notice, which a message taken while the host paints the watermark may
    // free: it is described once the background is done.
    const ItemBackground background = {window, GetParent(window), selected, highlightColor};
    const auto describe = [this] { return DescribeScene(); };
    PaintResult painted = PaintItem(dc, client, background, describe, layout);
    lineHeight = painted.metrics.lineHeight;
    layout = painted.layout;
    dirty = false;
    // What the user now sees, for the action.
    ++paints;
    noticeShown = describedNotice != nullptr;
    if (describedNotice) shownKey = describedNotice->key;
    else shownKey.clear();
}
