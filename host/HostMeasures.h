// The host's own parts, measured at 96 dpi and grown with the screen's resolution: the bar at the top, the
// notification bubble below it, the date line that heads the list, and one step of the scroll bar's arrows.
#pragma once
#include <windows.h>

constexpr int BAR_HEIGHT = 20;
constexpr int BUBBLE_HEIGHT = 38;
constexpr int HEADER_HEIGHT = 22;
constexpr int SCROLL_LINE = 20;

class HostMeasures {
public:
    explicit HostMeasures(int dpi = 96) : dpi(dpi) {}
    int Dpi() const { return dpi; }
    int operator()(int pixelsAt96) const { return MulDiv(pixelsAt96, dpi, 96); }
    int Bar() const { return (*this)(BAR_HEIGHT); }
    int Bubble(bool shown) const { return shown ? (*this)(BUBBLE_HEIGHT) : 0; }
    int Header() const { return (*this)(HEADER_HEIGHT); }
    // The first row of the list: below the bar and the bubble, which stay while the list scrolls.
    int ListTop(bool bubbleShown) const { return Bar() + Bubble(bubbleShown); }

private:
    int dpi;
};
