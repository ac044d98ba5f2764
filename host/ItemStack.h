// Stacking of the Today list: the host's date line, then each item top-down in its order, each as high as
// its cyp, across the full width. An item with height 0 takes no room and is not shown.
#pragma once
#include <windows.h>
#include <vector>

struct StackLayout {
    RECT header;              // the host's own date line
    std::vector<RECT> items;  // one per item, in the order given; empty for an item not shown
    int contentHeight;        // header plus all shown items, before scrolling
};

// listTop: first row below the fixed bar; scrollOffset: rows of the list scrolled out of view.
StackLayout StackItems(const std::vector<int>& heights, int listTop, int width, int headerHeight, int scrollOffset);

// The scroll offset that keeps rows [top, bottom) of the content inside a viewport of the given height.
int ScrollToShow(int currentOffset, int top, int bottom, int viewportHeight);

// The largest useful scroll offset.
int MaxScrollOffset(int contentHeight, int viewportHeight);
