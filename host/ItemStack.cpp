#include "ItemStack.h"
#include <algorithm>

StackLayout StackItems(const std::vector<int>& heights, int listTop, int width, int headerHeight, int scrollOffset) {
    StackLayout layout;
    int y = listTop - scrollOffset;
    layout.header = {0, y, width, y + headerHeight};
    y += headerHeight;
    layout.contentHeight = headerHeight;
    for (int height : heights) {
        if (height <= 0) {
            layout.items.push_back({0, 0, 0, 0});
            continue;
        }
        layout.items.push_back({0, y, width, y + height});
        y += height;
        layout.contentHeight += height;
    }
    return layout;
}

int MaxScrollOffset(int contentHeight, int viewportHeight) { return std::max(0, contentHeight - viewportHeight); }

int ScrollToShow(int currentOffset, int top, int bottom, int viewportHeight) {
    int offset = currentOffset;
    if (bottom - offset > viewportHeight) offset = bottom - viewportHeight;
    if (top < offset) offset = top;  // a row taller than the viewport shows its top
    return std::max(0, offset);
}
