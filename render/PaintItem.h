// The item's paint: composed off-screen and copied in one transfer, so the Today screen never shows a
// half-drawn item. One-line view (icon and product name) or three-line view of the current notice.
#pragma once
#include "ItemLayout.h"
#include "ItemScene.h"
#include "Metrics.h"
#include "TextDrawing.h"
#include <functional>

// Where one paint put what it drew; empty rectangles for what it did not draw. An icon's box is its whole
// picture, transparent parts included; the portrait's is the picture or its frame.
struct DrawnBoxes {
    RECT appIcon, prevArrow, nextArrow, portrait;
    DrawnText title, count, position, name, time, text;
};

struct PaintResult {
    LineMetrics metrics;
    ItemLayout layout;
    DrawnBoxes drawn;
};

// Draws the scene into the client rectangle of the target. The layout starts from the previous one, whose
// arrow rectangles are kept while too few notices need them. Returns the metrics and layout used, and where
// everything went.
PaintResult PaintItem(HDC target, const RECT& client, const ItemScene& scene, const ItemLayout& previousLayout);
// The same for a scene that points into data which may change while the host paints the watermark (a host
// may take other messages meanwhile, and those may free a notice): the background is drawn first, and the
// scene is described only after it.
PaintResult PaintItem(HDC target, const RECT& client, const ItemBackground& background,
                      const std::function<ItemScene()>& describe, const ItemLayout& previousLayout);
