// Selection, the left and right keys, stylus taps on the arrows, and the arrow-highlight timeout.
#include "MessengerTodayItem.h"

namespace {
constexpr UINT HIGHLIGHT_INTERVAL_MS = 200;
}  // namespace

bool PointInRect(const RECT& rect, POINT point) {
    return rect.left <= point.x && point.x <= rect.right && rect.top <= point.y && point.y <= rect.bottom;
}

int MessengerItemModel::OnAnimationTick(int, DWORD) {
    --animationCountdown;
    Invalidate();
    if (animationCountdown > 0) return 1;
    StopAnimation();
    return 0;
}

int MessengerItemModel::OnHighlightTimeout() {
    prevArrowLit = false;
    nextArrowLit = false;
    Invalidate();
    return 1;
}

void MessengerItemModel::GoPrevious() {
    link.notices.Previous(false);
    // Lit only while the timer that puts it out runs: an arrow lit without one would stay lit.
    const bool timed = StartHighlightTimer(HIGHLIGHT_INTERVAL_MS) != 0;
    prevArrowLit = timed;
    nextArrowLit = false;
}

void MessengerItemModel::GoNext() {
    link.notices.Next(false);
    const bool timed = StartHighlightTimer(HIGHLIGHT_INTERVAL_MS) != 0;
    nextArrowLit = timed;
    prevArrowLit = false;
}

void MessengerTodayItem::OnReceivedSelection() { StopAnimation(); }

void MessengerTodayItem::OnLostSelection() {}

int MessengerTodayItem::OnNavigationKey(UINT virtualKey) {
    if (virtualKey != VK_LEFT && virtualKey != VK_RIGHT) return 0;
    if (animationRunning) StopAnimation();
    if (link.notices.Size() < 2) return 1;
    if (virtualKey == VK_LEFT) {
        if (link.notices.Cursor() == 0) return 1;
        GoPrevious();
    } else {
        if (link.notices.Cursor() == link.notices.Size() - 1) return 1;
        GoNext();
    }
    Invalidate();
    return 1;
}

void MessengerTodayItem::OnTapDown(UINT, int x, int y) {
    if (animationRunning) StopAnimation();
    if (link.notices.Size() < 2) return;
    POINT point = {x, y};
    if (link.notices.CanGoPrevious() && PointInRect(layout.prevArrowHitArea, point)) {
        GoPrevious();
        Invalidate();
    } else if (link.notices.CanGoNext() && PointInRect(layout.nextArrowHitArea, point)) {
        GoNext();
        Invalidate();
    }
}

void MessengerTodayItem::OnTapUp(UINT, int x, int y) {
    if (animationRunning) StopAnimation();
    POINT point = {x, y};
    // A tap on an arrow pages (on stylus-down) and never opens the messenger.
    if (link.notices.Size() >= 2 &&
        (PointInRect(layout.prevArrowHitArea, point) || PointInRect(layout.nextArrowHitArea, point)))
        return;
    OnAction();
}
