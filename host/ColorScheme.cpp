#include "ColorScheme.h"
#include "platform/todaycmn.h"

COLORREF ColorScheme::ForTodayIndex(WPARAM index) const {
    switch (index) {
    case TODAYCOLOR_HIGHLIGHT:
        return highlight;
    case TODAYCOLOR_HIGHLIGHTEDTEXT:
        return highlightedText;
    case TODAYCOLOR_TEXT:
    default:
        return text;
    }
}
