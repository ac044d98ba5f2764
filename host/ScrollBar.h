// The host window's vertical scroll bar: shown only while the list overflows the screen (it then narrows the
// client area), its range the list's rows.
#pragma once
#include <windows.h>

class ScrollBar {
public:
    // Shows or hides the bar for content rows in a viewport of this height, at this position.
    void Update(HWND window, int contentHeight, int viewportHeight, int position);
    bool Shown() const { return shown; }
    // Where the thumb is while it is dragged.
    static int TrackPosition(HWND window);

private:
    bool shown = false;
};
