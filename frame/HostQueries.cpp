// The host's questions to the item: its height, whether it must be redrawn, its colours.
#include "../render/Metrics.h"
#include "MessengerTodayItem.h"
#include "ModuleState.h"

int MessengerTodayItem::GetItemHeight() {
    int lines;
    if (link.statusMode) lines = lineCount;  // status mode keeps the height last reported
    else if (!link.mainWindow) lines = 1;
    else lines = link.notices.Empty() ? 1 : 3;
    lineCount = lines;
    // Until a paint has measured the font, the small line at the screen's scale.
    return lines * (lineHeight ? lineHeight : UnmeasuredLineHeight(ScreenScale()));
}

void MessengerTodayItem::OnClearCache() { dirty = true; }

int MessengerTodayItem::OnQueryRefreshCache(TODAYLISTITEM* record) {
    if (!record) return 0;
    link.PublishIfNot();  // a publication that memory stopped is made good at the host's next refresh
    if (!shellReadiness.IsReady()) return 0;
    if (link.mainWindow && !link.Ping()) {
        // Found gone and forgotten: the host learns the one-line height at this very query.
        NoticesDropped();
        Invalidate();
    }
    int height = GetItemHeight();
    if (static_cast<DWORD>(height) == record->cyp) return dirty ? 1 : 0;
    record->cyp = GetItemHeight();
    return 1;
}

void MessengerTodayItem::QueryColors() {
    HWND host = HostWhileParent();
    if (!host) return;  // the colours last received stay
    textColor = static_cast<COLORREF>(SendMessageW(host, TODAYM_GETCOLOR, TODAYCOLOR_TEXT, 0));
    highlightedTextColor = static_cast<COLORREF>(SendMessageW(host, TODAYM_GETCOLOR, TODAYCOLOR_HIGHLIGHTEDTEXT, 0));
    highlightColor = static_cast<COLORREF>(SendMessageW(host, TODAYM_GETCOLOR, TODAYCOLOR_HIGHLIGHT, 0));
}

HWND MessengerTodayItem::HostWhileParent() const {
    return window && parentWindow && GetParent(window) == parentWindow ? parentWindow : NULL;
}

void MessengerTodayItem::Invalidate() {
    if (window) InvalidateRect(window, NULL, FALSE);  // a null window would mean every window
}
