// The refresh query, stacking the items and scrolling the list.
#include "TodayHost.h"
#include <algorithm>

namespace {

bool SameRect(const RECT& a, const RECT& b) {
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

// The window's own visibility; IsWindowVisible also asks the parent, which is hidden until the host shows.
bool HasVisibleStyle(HWND window) { return (GetWindowLongW(window, GWL_STYLE) & WS_VISIBLE) != 0; }

}  // namespace

int TodayHost::ListTop() const { return Scale(20) + BubbleHeight(); }

bool TodayHost::RefreshItems() {
    bool changed = false;
    std::vector<bool> answered(items.size(), false);
    BeginBusy();
    for (size_t i = 0; i < items.size(); ++i) {
        HostedItem& item = *items[i];
        if (!item.window || !item.record.fEnabled) continue;
        LRESULT answer =
            SendMessageW(item.window, WM_TODAYCUSTOM_QUERYREFRESHCACHE, reinterpret_cast<WPARAM>(&item.record), 0);
        if (answer) answered[i] = changed = true;
    }
    if (changed) {
        // An item that answered non-zero is repainted even where it stays.
        for (size_t i = 0; i < items.size(); ++i)
            if (answered[i] && items[i]->window) InvalidateRect(items[i]->window, nullptr, FALSE);
        LayoutItems();
    }
    EndBusy();
    return changed;
}

void TodayHost::LayoutItems() {
    if (!window) return;
    std::vector<int> heights;
    for (const auto& item : items) heights.push_back(item->Showable() ? static_cast<int>(item->record.cyp) : 0);

    RECT client;
    GetClientRect(window, &client);
    const int headerHeight = Scale(22);
    int viewport = client.bottom - ListTop();
    layout = StackItems(heights, ListTop(), client.right, headerHeight, 0);
    UpdateScrollBar(layout.contentHeight, viewport);  // may narrow the client area by the scroll bar
    GetClientRect(window, &client);
    scrollOffset = std::min(scrollOffset, MaxScrollOffset(layout.contentHeight, viewport));
    layout = StackItems(heights, ListTop(), client.right, headerHeight, scrollOffset);

    for (size_t i = 0; i < items.size(); ++i) {
        HostedItem& item = *items[i];
        const RECT& rect = layout.items[i];
        if (!item.window) continue;
        if (rect.bottom > rect.top) {
            if (!item.placed || !SameRect(rect, item.rect)) {
                MoveWindow(item.window, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top, FALSE);
                InvalidateRect(item.window, nullptr, FALSE);
            }
            if (!HasVisibleStyle(item.window)) ShowWindow(item.window, SW_SHOWNA);
            item.rect = rect;
            item.placed = true;
        } else {
            if (HasVisibleStyle(item.window)) ShowWindow(item.window, SW_HIDE);
            item.rect = {0, 0, 0, 0};
            item.placed = false;
        }
    }
    // The selection cannot stay on an item that is no longer shown.
    if (selected >= 0 && !items[selected]->placed) ClearSelection();

    // The host's own parts: what items uncovered, the date line, the bar. Children are clipped out.
    InvalidateRect(window, nullptr, FALSE);
    UpdateWindow(window);
    for (const auto& item : items)
        if (item->placed) UpdateWindow(item->window);
}

void TodayHost::UpdateScrollBar(int contentHeight, int viewportHeight) {
    const bool needed = contentHeight > viewportHeight;
    if (needed != scrollBarShown) {
        scrollBarShown = needed;
        ShowScrollBar(window, SB_VERT, needed);
    }
    if (!needed) return;
    SCROLLINFO info = {};
    info.cbSize = sizeof(info);
    info.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
    info.nMin = 0;
    info.nMax = contentHeight - 1;
    info.nPage = static_cast<UINT>(viewportHeight > 0 ? viewportHeight : 1);
    info.nPos = scrollOffset;
    SetScrollInfo(window, SB_VERT, &info, TRUE);
}

void TodayHost::OnVScroll(WORD request) {
    RECT client;
    GetClientRect(window, &client);
    const int viewport = client.bottom - ListTop();
    int offset = scrollOffset;
    switch (request) {
    case SB_LINEUP:
        offset -= Scale(20);
        break;
    case SB_LINEDOWN:
        offset += Scale(20);
        break;
    case SB_PAGEUP:
        offset -= viewport;
        break;
    case SB_PAGEDOWN:
        offset += viewport;
        break;
    case SB_TOP:
        offset = 0;
        break;
    case SB_BOTTOM:
        offset = layout.contentHeight;
        break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION: {
        SCROLLINFO info = {};
        info.cbSize = sizeof(info);
        info.fMask = SIF_TRACKPOS;
        GetScrollInfo(window, SB_VERT, &info);
        offset = info.nTrackPos;
        break;
    }
    default:
        return;
    }
    offset = std::max(0, std::min(offset, MaxScrollOffset(layout.contentHeight, viewport)));
    if (offset == scrollOffset) return;
    scrollOffset = offset;
    LayoutItems();
}

void TodayHost::ScrollSelectionIntoView() {
    if (selected < 0 || !scrollBarShown) return;
    RECT client;
    GetClientRect(window, &client);
    const RECT& rect = items[selected]->rect;
    // Content coordinates: rows from the top of the list, before scrolling.
    const int top = rect.top - ListTop() + scrollOffset, bottom = rect.bottom - ListTop() + scrollOffset;
    int offset = ScrollToShow(scrollOffset, top, bottom, client.bottom - ListTop());
    if (offset == scrollOffset) return;
    scrollOffset = offset;
    LayoutItems();
}
