#include "ItemLayout.h"

namespace {
constexpr LONG ICON_CELL_WIDTH = 28;
constexpr LONG ARROW_COLUMN_WIDTH = 12;
constexpr LONG ARROW_HIT_WIDTH = 40;
constexpr LONG PORTRAIT_GAP = 2;    // between the previous-arrow column and the portrait
constexpr LONG TEXT_GAP_RIGHT = 2;  // between the text lines and the next-arrow column
}  // namespace

void ItemLayout::ComputeLayout(const RECT& client, int noticeCount, int lineHeight) {
    const LONG left = client.left, top = client.top, right = client.right;
    itemRect = client;
    firstLine = {left, top, right, top + lineHeight};
    iconCell = {left, top, left + ICON_CELL_WIDTH, top + lineHeight};
    titleLine = {left + ICON_CELL_WIDTH, top, right, top + lineHeight};
    // Two lines high, overlapping the first line's bottom row.
    const LONG bandTop = top + lineHeight - 1, bandBottom = top + 3 * lineHeight - 1;
    lowerBand = {left, bandTop, right, bandBottom};
    if (noticeCount == 0) return;  // the rest is not used while the list is empty

    if (noticeCount == 1) {
        prevArrowColumn = {left, bandTop, left, bandBottom};
        nextArrowColumn = {right, bandTop, right, bandBottom};
    } else {
        prevArrowColumn = {left, bandTop, left + ARROW_COLUMN_WIDTH, bandBottom};
        prevArrowHitArea = {left, bandTop, left + ARROW_HIT_WIDTH, bandBottom};
        nextArrowColumn = {right - ARROW_COLUMN_WIDTH, bandTop, right, bandBottom};
        nextArrowHitArea = {right - ARROW_HIT_WIDTH, bandTop, right, bandBottom};
    }
    const LONG portraitLeft = prevArrowColumn.right + PORTRAIT_GAP;
    portraitCell = {portraitLeft, bandTop, portraitLeft + 2 * lineHeight, bandBottom};
    const LONG textLeft = portraitCell.right + 1, textRight = nextArrowColumn.left - TEXT_GAP_RIGHT;
    nameLine = {textLeft, portraitCell.top, textRight, portraitCell.top + lineHeight};
    // One row above the band's bottom, overlapping the name line by one row.
    textLine = {textLeft, nextArrowColumn.bottom - 1 - lineHeight, textRight, nextArrowColumn.bottom - 1};
}
