#include "ItemLayout.h"

#define ICON_CELL_WIDTH 28
#define ARROW_COLUMN_WIDTH 12
#define ARROW_HIT_WIDTH 40

void ItemLayout::ComputeLayout(const RECT& client, int noticeCount, int f) {
    const LONG L = client.left, T = client.top, R = client.right, B = client.bottom;
    itemRect = {L, T, R, B};
    firstLine = {L, T, R, T + f};
    iconCell = {L, T, L + ICON_CELL_WIDTH, T + f};
    titleLine = {L + ICON_CELL_WIDTH, T, R, T + f};
    // Two lines high, overlapping the first line's bottom row.
    lowerBand = {L, T + f - 1, R, T + 3 * f - 1};
    if (noticeCount == 0) return;  // the rest is not used while the list is empty

    const LONG top = T + f - 1, bottom = T + 3 * f - 1;
    if (noticeCount == 1) {
        prevArrowColumn = {L, top, L, bottom};
        nextArrowColumn = {R, top, R, bottom};
    } else {
        prevArrowColumn = {L, top, L + ARROW_COLUMN_WIDTH, bottom};
        prevArrowHitArea = {L, top, L + ARROW_HIT_WIDTH, bottom};
        nextArrowColumn = {R - ARROW_COLUMN_WIDTH, top, R, bottom};
        nextArrowHitArea = {R - ARROW_HIT_WIDTH, top, R, bottom};
    }
    const LONG a = prevArrowColumn.right - prevArrowColumn.left;
    portraitCell = {L + a + 2, top, L + a + 2 + 2 * f, bottom};
    nameLine = {portraitCell.right + 1, portraitCell.top, nextArrowColumn.left - 2, portraitCell.top + f};
    textLine = {portraitCell.right + 1, nextArrowColumn.bottom - 1 - f, nextArrowColumn.left - 2,
                nextArrowColumn.bottom - 1};
}
