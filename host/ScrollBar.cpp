#include "ScrollBar.h"

void ScrollBar::Update(HWND window, int contentHeight, int viewportHeight, int position) {
    const bool needed = contentHeight > viewportHeight;
    if (needed != shown) {
        shown = needed;
        ShowScrollBar(window, SB_VERT, needed);
    }
    if (!needed) return;
    SCROLLINFO info = {};
    info.cbSize = sizeof(info);
    info.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
    info.nMin = 0;
    info.nMax = contentHeight - 1;
    info.nPage = static_cast<UINT>(viewportHeight > 0 ? viewportHeight : 1);
    info.nPos = position;
    SetScrollInfo(window, SB_VERT, &info, TRUE);
}

int ScrollBar::TrackPosition(HWND window) {
    SCROLLINFO info = {};
    info.cbSize = sizeof(info);
    info.fMask = SIF_TRACKPOS;
    GetScrollInfo(window, SB_VERT, &info);
    return info.nTrackPos;
}
