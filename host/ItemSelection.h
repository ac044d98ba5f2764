// The selection between items as the Today screen moves it, with the messages each item gets on the way:
// RECEIVEDSELECTION to the one entered (0 passes it on), LOSTSELECTION to the one left, and a repaint of both,
// since not every item repaints itself when told.
#pragma once
#include "ItemSet.h"
#include "ListState.h"

class ItemSelection {
public:
    ItemSelection(const ItemSet& items, ListState& list) : items(items), list(list) {}

    HostedItem* Selected() const;
    // Up or down: the selected item may use the key itself; else the next selectable item that accepts takes
    // the selection, and with none further on it stays. True when it moved.
    bool Move(UINT virtualKey);
    void Select(int index);
    void Clear();

private:
    void Repaint(int index) const;

    const ItemSet& items;
    ListState& list;
};
