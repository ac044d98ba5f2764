#include "ItemLayout.h"

namespace {
// At 96 dpi:
constexpr int ICON_CELL_WIDTH = 28;
constexpr int ARROW_COLUMN_WIDTH = 12;
constexpr int ARROW_HIT_WIDTH = 40;
constexpr int PORTRAIT_GAP = 2;    // between the previous-arrow column and the portrait
constexpr int TEXT_GAP_LEFT = 1;   // between the portrait and the text lines
constexpr int TEXT_GAP_RIGHT = 2;  // between the text lines and the next-arrow column
constexpr int LINE_OVERLAP = 1;    // rows the lower band shares with the first line, the text with the name line
}  // namespace

void ItemLayout::ComputeLayout(const RECT& client, int noticeCount, int lineHeight, const ItemScale& scale) {
    const LONG left = client.left, top = client.top, right = client.right;
    const LONG iconCellRight = left + scale(ICON_CELL_WIDTH), overlap = scale(LINE_OVERLAP);
    itemRect = client;
    firstLine = {left, top, right, top + lineHeight};
    iconCell = {left, top, iconCellRight, top + lineHeight};
    titleLine = {iconCellRight, top, right, top + lineHeight};
    // Two lines high, overlapping the first line's bottom row.
    const LONG bandTop = top + lineHeight - overlap, bandBottom = top + 3 * lineHeight - overlap;
    lowerBand = {left, bandTop, right, bandBottom};
    if (noticeCount == 0) return;  // the rest is not used while the list is empty

    if (noticeCount == 1) {
        prevArrowColumn = {left, bandTop, left, bandBottom};
        nextArrowColumn = {right, bandTop, right, bandBottom};
    } else {
        const LONG columnWidth = scale(ARROW_COLUMN_WIDTH), hitWidth = scale(ARROW_HIT_WIDTH);
        prevArrowColumn = {left, bandTop, left + columnWidth, bandBottom};
        prevArrowHitArea = {left, bandTop, left + hitWidth, bandBottom};
        nextArrowColumn = {right - columnWidth, bandTop, right, bandBottom};
        nextArrowHitArea = {right - hitWidth, bandTop, right, bandBottom};
    }
    const LONG portraitLeft = prevArrowColumn.right + scale(PORTRAIT_GAP);
    portraitCell = {portraitLeft, bandTop, portraitLeft + 2 * lineHeight, bandBottom};
    const LONG textLeft = portraitCell.right + scale(TEXT_GAP_LEFT);
    const LONG textRight = nextArrowColumn.left - scale(TEXT_GAP_RIGHT);
    nameLine = {textLeft, portraitCell.top, textRight, portraitCell.top + lineHeight};
    // Ends as far above the band's bottom as the band overlaps the first line; overlaps the name line as much.
    const LONG textBottom = nextArrowColumn.bottom - overlap;
    textLine = {textLeft, textBottom - lineHeight, textRight, textBottom};
}
