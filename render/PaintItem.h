// The item's paint, in the order the frame drives it: a surface off-screen, the background on it, the scene
// drawn over that, and the surface copied to the window in one transfer, so the Today screen never shows a
// half-drawn item. One-line view (icon and product name) or three-line view of the current notice.
#pragma once
#include "../platform/ScopedHandles.h"
#include "FittedPortraits.h"
#include "ItemLayout.h"
#include "ItemScene.h"
#include "Metrics.h"
#include "TextDrawing.h"

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
    // False when something could not be made for this paint (a font, an icon, a portrait's copy: memory was
    // short) and was left out; a later paint tries again.
    bool complete;
    // The scene's texts are on the surface (its font could be made): it may replace what the window shows.
    bool textsDrawn;
};

// The off-screen surface of one paint: a memory DC with a bitmap compatible with the window's DC.
class PaintSurface {
public:
    PaintSurface(HDC target, const RECT& client);
    // False when it could not be made (memory short): nothing can be drawn this time.
    bool Ready() const { return selected.Selected(); }
    HDC get() const { return dc.get(); }
    // The client rectangle to the target in one transfer; false when the transfer failed.
    bool CopyTo(HDC target) const;

private:
    PaintSurface(const PaintSurface&);
    PaintSurface& operator=(const PaintSurface&);

    RECT client;
    MemoryDC dc;
    GdiObject<HBITMAP> bitmap;
    SelectedObject selected;
};

// The host's watermark as it lies behind the item, or the highlight colour while the item is selected. A host
// may take other messages while it paints the watermark (and those may change the notices): the frame
// describes the scene only after this. False when the highlight could not be painted (memory short).
bool DrawItemBackground(HDC surface, const RECT& client, const ItemBackground& background);

// Draws the scene over the background. The layout starts from the previous one, whose arrow rectangles are kept
// while too few notices need them. Returns the metrics and layout used, and where everything went.
PaintResult DrawItemScene(HDC surface, const RECT& client, const ItemScene& scene, const ItemLayout& previousLayout,
                          FittedPortraits& fittedPortraits);
