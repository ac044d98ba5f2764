// The twelve rectangles of the item, recomputed at every paint from the client rectangle, the line
// height, the number of notices and the screen's scale.
#pragma once
#include <windows.h>
#include "ItemScale.h"

struct ItemLayout {
    ItemLayout();

    RECT itemRect;
    RECT firstLine;
    RECT lowerBand;
    RECT iconCell;
    RECT titleLine;
    RECT portraitCell;
    RECT nameLine;
    RECT textLine;
    RECT nextArrowColumn;
    RECT prevArrowColumn;
    RECT nextArrowHitArea;
    RECT prevArrowHitArea;

    // With no notices only the first five rectangles change; with one, the arrow hit areas keep their
    // values (they are not used with fewer than two notices).
    void ComputeLayout(const RECT& client, int noticeCount, int lineHeight, const ItemScale& scale = ItemScale());
};
