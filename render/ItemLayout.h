// The twelve rectangles of the item, recomputed at every paint from the client rectangle, the line
// height and the number of notices.
#pragma once
#include <windows.h>

struct ItemLayout {
    RECT itemRect = {};
    RECT firstLine = {};
    RECT lowerBand = {};
    RECT iconCell = {};
    RECT titleLine = {};
    RECT portraitCell = {};
    RECT nameLine = {};
    RECT textLine = {};
    RECT nextArrowColumn = {};
    RECT prevArrowColumn = {};
    RECT nextArrowHitArea = {};
    RECT prevArrowHitArea = {};

    // lineHeight is passed in so the layout can be computed for any metrics; painting passes the module's.
    void ComputeLayout(const RECT& client, int noticeCount, int lineHeight);
};
