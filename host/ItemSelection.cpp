#include "ItemSelection.h"
#include "platform/todaycmn.h"

HostedItem* ItemSelection::Selected() const {
    return list.Selected() != ListState::NONE ? &items[list.Selected()] : nullptr;
}

bool ItemSelection::Move(UINT virtualKey) {
    // The selected item may use up and down itself (to move inside its own lines).
    if (HostedItem* item = Selected()) {
        if (SendMessageW(item->window, WM_TODAYCUSTOM_USERNAVIGATION, virtualKey, 0)) return false;
    }
    const bool down = virtualKey == VK_DOWN;
    for (int index = list.FirstCandidate(down, items.Count()); index >= 0 && index < items.Count();
         index += down ? 1 : -1) {
        HostedItem& candidate = items[index];
        if (!candidate.Selectable()) continue;
        // An item that answers 0 passes the selection on to the next one.
        if (SendMessageW(candidate.window, WM_TODAYCUSTOM_RECEIVEDSELECTION, virtualKey, 0)) {
            Select(index);
            return true;
        }
    }
    return false;
}

void ItemSelection::Select(int index) {
    const int previous = list.Select(index);
    if (previous != ListState::NONE && previous != index && previous < items.Count()) {
        SendMessageW(items[previous].window, WM_TODAYCUSTOM_LOSTSELECTION, 0, 0);
        Repaint(previous);
    }
    Repaint(index);
}

void ItemSelection::Clear() {
    const int previous = list.ClearSelection();
    if (previous != ListState::NONE && previous < items.Count()) {
        SendMessageW(items[previous].window, WM_TODAYCUSTOM_LOSTSELECTION, 0, 0);
        Repaint(previous);
    }
}

void ItemSelection::Repaint(int index) const {
    if (index >= 0 && index < items.Count() && items[index].window) InvalidateRect(items[index].window, nullptr, FALSE);
}
