#include "ListState.h"
#include <algorithm>
#include "ItemStack.h"

int ListState::Select(int index) {
    const int previous = selected;
    selected = index < 0 ? NONE : index;
    return previous;
}

int ListState::FirstCandidate(bool down, int count) const {
    if (selected != NONE) return down ? selected + 1 : selected - 1;
    return down ? 0 : count - 1;
}

void ListState::Clamp(int contentHeight, int viewportHeight) {
    offset = std::min(offset, MaxScrollOffset(contentHeight, viewportHeight));
}

bool ListState::Scroll(WORD request, int trackPosition, int lineHeight, int contentHeight, int viewportHeight) {
    int wanted = offset;
    switch (request) {
    case SB_LINEUP:
        wanted -= lineHeight;
        break;
    case SB_LINEDOWN:
        wanted += lineHeight;
        break;
    case SB_PAGEUP:
        wanted -= viewportHeight;
        break;
    case SB_PAGEDOWN:
        wanted += viewportHeight;
        break;
    case SB_TOP:
        wanted = 0;
        break;
    case SB_BOTTOM:
        wanted = contentHeight;
        break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION:
        wanted = trackPosition;
        break;
    default:
        return false;
    }
    wanted = std::max(0, std::min(wanted, MaxScrollOffset(contentHeight, viewportHeight)));
    if (wanted == offset) return false;
    offset = wanted;
    return true;
}

bool ListState::Show(int top, int bottom, int viewportHeight) {
    const int wanted = ScrollToShow(offset, top, bottom, viewportHeight);
    if (wanted == offset) return false;
    offset = wanted;
    return true;
}
