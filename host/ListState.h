// Which item is selected and how far the list is scrolled: the state of the host's list, apart from the
// windows and the messages that change it.
#pragma once
#include <windows.h>

class ListState {
public:
    static constexpr int NONE = -1;

    int Selected() const { return selected; }
    // Each returns the index that was selected before (NONE when none).
    int Select(int index);
    int ClearSelection() { return Select(NONE); }
    // The first item to offer the selection when moving down (or up) through count items: the one after the
    // selection, or with none the first (or the last).
    int FirstCandidate(bool down, int count) const;

    // Rows of the list scrolled out of view.
    int Offset() const { return offset; }
    // Keeps the offset within what content rows in a viewport of this height can use.
    void Clamp(int contentHeight, int viewportHeight);
    // A scroll bar request (SB_LINEUP ... SB_THUMBPOSITION); trackPosition is the thumb's for the thumb
    // requests. True when the list moved.
    bool Scroll(WORD request, int trackPosition, int lineHeight, int contentHeight, int viewportHeight);
    // Scrolls as little as needed to show content rows [top, bottom). True when the list moved.
    bool Show(int top, int bottom, int viewportHeight);
    // No items: nothing selected, nothing scrolled.
    void Reset() { *this = ListState(); }

private:
    int selected = NONE;
    int offset = 0;
};
