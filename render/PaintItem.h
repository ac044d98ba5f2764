// The item's paint: composed off-screen and copied in one transfer, so the Today screen never shows a
// half-drawn item. One-line view (icon and product name) or three-line view of the current notice.
#pragma once
#include "ItemLayout.h"
#include "ItemScene.h"
#include "Metrics.h"
#include <functional>

struct PaintResult {
    LineMetrics metrics;
    ItemLayout layout;
};

// Draws the scene into the client rectangle of the target. The layout starts from the previous one, whose
// arrow rectangles are kept while too few notices need them. Returns the metrics and layout used.
PaintResult PaintItem(HDC target, const RECT& client, const ItemScene& scene, const ItemLayout& previousLayout);
// The same for a scene that points into data which may change while the host paints the watermark (a host
// may take other messages meanwhile, and those may free a notice): the background is drawn first, and the
// scene is described only after it.
PaintResult PaintItem(HDC target, const RECT& client, const ItemBackground& background,
                      const std::function<ItemScene()>& describe, const ItemLayout& previousLayout);
