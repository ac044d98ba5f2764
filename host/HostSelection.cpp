// Keys, taps and the selection between items.
#include "platform/MessagePump.h"
#include "TodayHost.h"

HostedItem* TodayHost::Selected() const { return selected >= 0 ? items[selected].get() : nullptr; }

void TodayHost::PressKey(UINT virtualKey) { SendMessageW(window, WM_KEYDOWN, virtualKey, 1); }

void TodayHost::OnKeyDown(UINT virtualKey) {
    HostedItem* item = Selected();
    BeginBusy();
    switch (virtualKey) {
    case VK_UP:
    case VK_DOWN:
        MoveSelection(virtualKey);
        break;
    case VK_LEFT:
    case VK_RIGHT:
        if (item) SendMessageW(item->window, WM_TODAYCUSTOM_USERNAVIGATION, virtualKey, 0);
        break;
    case VK_RETURN:
        if (item) SendMessageW(item->window, WM_TODAYCUSTOM_ACTION, VK_RETURN, 0);
        break;
    case VK_F5:
        RefreshItems();
        break;
    case 'O': {
        std::wstring error;
        if (!RunOptionsDialog(nullptr, DialogClose::None, error)) Note(error);
        break;
    }
    default:
        break;
    }
    EndBusy();
}

void TodayHost::MoveSelection(UINT virtualKey) {
    // The selected item may use up and down itself (to move inside its own lines).
    if (HostedItem* item = Selected()) {
        if (SendMessageW(item->window, WM_TODAYCUSTOM_USERNAVIGATION, virtualKey, 0)) return;
    }
    const int step = virtualKey == VK_DOWN ? 1 : -1;
    const int count = static_cast<int>(items.size());
    int index = selected >= 0 ? selected + step : (step > 0 ? 0 : count - 1);
    for (; index >= 0 && index < count; index += step) {
        HostedItem& candidate = *items[index];
        if (!candidate.Selectable()) continue;
        // An item that answers 0 passes the selection on to the next one.
        if (SendMessageW(candidate.window, WM_TODAYCUSTOM_RECEIVEDSELECTION, virtualKey, 0)) {
            Select(index);
            return;
        }
    }
    // No item further on takes it: the selection stays where it is.
}

void TodayHost::Select(int index) {
    const int previous = selected;
    selected = index;
    if (previous >= 0 && previous != index && previous < static_cast<int>(items.size())) {
        SendMessageW(items[previous]->window, WM_TODAYCUSTOM_LOSTSELECTION, 0, 0);
        RepaintItem(previous);
    }
    RepaintItem(index);
    ScrollSelectionIntoView();
}

void TodayHost::RepaintItem(int index) {
    // An item's look depends on whether it is selected, and not every item repaints itself when told.
    if (index >= 0 && index < static_cast<int>(items.size()) && items[index]->window)
        InvalidateRect(items[index]->window, nullptr, FALSE);
}

void TodayHost::TakeSelection(HWND itemWindow) {
    // Posted by an item the user tapped: it has selected itself already.
    HostedItem* item = ItemOfWindow(itemWindow);
    if (!item || !item->placed) return;
    const int index = IndexOf(item);
    if (index != selected) Select(index);
}

void TodayHost::ClearSelection() {
    const int previous = selected;
    selected = -1;
    if (previous >= 0 && previous < static_cast<int>(items.size())) {
        SendMessageW(items[previous]->window, WM_TODAYCUSTOM_LOSTSELECTION, 0, 0);
        RepaintItem(previous);
    }
}

void TodayHost::Tap(POINT point) {
    HWND target = ChildWindowFromPointEx(window, point, CWP_SKIPINVISIBLE | CWP_SKIPDISABLED | CWP_SKIPTRANSPARENT);
    if (!target) return;  // outside the client area
    POINT local = point;
    MapWindowPoints(window, target, &local, 1);
    const LPARAM position = MAKELPARAM(local.x, local.y);
    SendMessageW(target, WM_LBUTTONDOWN, MK_LBUTTON, position);
    // What the tap posted (an item's TODAYM_TOOKSELECTION) arrives before the stylus is lifted.
    DrainMessages();
    if (IsWindow(target)) SendMessageW(target, WM_LBUTTONUP, 0, position);
}
