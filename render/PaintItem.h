// The item's paint: composed off-screen and copied in one transfer, so the Today screen never shows a
// half-drawn item. One-line view (icon and product name) or three-line view of the current notice.
#pragma once
#include "ItemLayout.h"
#include "ItemScene.h"
#include "Metrics.h"

struct PaintResult {
    LineMetrics metrics;
    ItemLayout layout;
};

// Draws the scene into the client rectangle of the target. The layout starts from the previous one, whose
// arrow rectangles are kept while too few notices need them. Returns the metrics and layout used.
PaintResult PaintItem(HDC target, const RECT& client, const ItemScene& scene, const ItemLayout& previousLayout);
