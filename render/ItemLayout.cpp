#include "ItemLayout.h"

namespace {
// At 96 dpi:
const int ICON_CELL_WIDTH = 28;
const int ARROW_COLUMN_WIDTH = 12;
const int ARROW_HIT_WIDTH = 40;
const int PORTRAIT_GAP = 2;    // between the previous-arrow column and the portrait
const int TEXT_GAP_LEFT = 1;   // between the portrait and the text lines
const int TEXT_GAP_RIGHT = 2;  // between the text lines and the next-arrow column
const int LINE_OVERLAP = 1;    // rows the lower band shares with the first line, the text with the name line

RECT Rect(LONG left, LONG top, LONG right, LONG bottom) {
    RECT rect = {left, top, right, bottom};
    return rect;
}

}  // namespace

ItemLayout::ItemLayout() {
    const RECT none = {0, 0, 0, 0};
    itemRect = firstLine = lowerBand = iconCell = titleLine = portraitCell = nameLine = textLine = none;
    nextArrowColumn = prevArrowColumn = nextArrowHitArea = prevArrowHitArea = none;
}

void ItemLayout::ComputeLayout(const RECT& client, int noticeCount, int lineHeight, const ItemScale& scale) {
    const LONG left = client.left, top = client.top, right = client.right;
    const LONG iconCellRight = left + scale(ICON_CELL_WIDTH), overlap = scale(LINE_OVERLAP);
    itemRect = client;
    firstLine = Rect(left, top, right, top + lineHeight);
    iconCell = Rect(left, top, iconCellRight, top + lineHeight);
    titleLine = Rect(iconCellRight, top, right, top + lineHeight);
    // Two lines high, overlapping the first line's bottom row.
    const LONG bandTop = top + lineHeight - overlap, bandBottom = top + 3 * lineHeight - overlap;
    lowerBand = Rect(left, bandTop, right, bandBottom);
    if (noticeCount == 0) return;  // the rest is not used while the list is empty

    if (noticeCount == 1) {
        prevArrowColumn = Rect(left, bandTop, left, bandBottom);
        nextArrowColumn = Rect(right, bandTop, right, bandBottom);
    } else {
        const LONG columnWidth = scale(ARROW_COLUMN_WIDTH), hitWidth = scale(ARROW_HIT_WIDTH);
        prevArrowColumn = Rect(left, bandTop, left + columnWidth, bandBottom);
        prevArrowHitArea = Rect(left, bandTop, left + hitWidth, bandBottom);
        nextArrowColumn = Rect(right - columnWidth, bandTop, right, bandBottom);
        nextArrowHitArea = Rect(right - hitWidth, bandTop, right, bandBottom);
    }
    const LONG portraitLeft = prevArrowColumn.right + scale(PORTRAIT_GAP);
    portraitCell = Rect(portraitLeft, bandTop, portraitLeft + 2 * lineHeight, bandBottom);
    const LONG textLeft = portraitCell.right + scale(TEXT_GAP_LEFT);
    const LONG textRight = nextArrowColumn.left - scale(TEXT_GAP_RIGHT);
    nameLine = Rect(textLeft, portraitCell.top, textRight, portraitCell.top + lineHeight);
    // Ends as far above the band's bottom as the band overlaps the first line; overlaps the name line as much.
    const LONG textBottom = nextArrowColumn.bottom - overlap;
    textLine = Rect(textLeft, textBottom - lineHeight, textRight, textBottom);
}
