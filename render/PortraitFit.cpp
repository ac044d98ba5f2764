#include "PortraitFit.h"
#include "../platform/StretchMode.h"
#include "../platform/TopDownDib.h"
#include "TextDrawing.h"
#include <algorithm>

namespace {

SIZE BitmapSize(HBITMAP bitmap) {
    BITMAP info = {};
    if (!bitmap || !GetObjectW(bitmap, sizeof(info), &info)) return {0, 0};
    return {info.bmWidth, info.bmHeight};
}

bool SameSize(SIZE a, SIZE b) { return a.cx == b.cx && a.cy == b.cy; }

// part * whole / of, rounded half up; 64-bit, since a picture may be thousands of pixels wide.
LONG Proportion(LONG part, LONG whole, LONG of) {
    return static_cast<LONG>((static_cast<long long>(part) * whole + of / 2) / of);
}

// A section, as the loaded picture is: a device-dependent bitmap costs several times more to select at each paint.
GdiObject<HBITMAP> StretchedCopy(HDC compatibleWith, HBITMAP picture, SIZE from, SIZE to) {
    void* bits = nullptr;
    GdiObject<HBITMAP> copy(CreateTopDownDib(compatibleWith, to.cx, to.cy, &bits));
    MemoryDC source(compatibleWith), target(compatibleWith);
    SelectedObject selectedPicture(source.get(), picture), selectedCopy(target.get(), copy.get());
    SetStretchBltMode(target.get(), SmoothStretchMode(to.cx > from.cx || to.cy > from.cy));
    StretchBlt(target.get(), 0, 0, to.cx, to.cy, source.get(), 0, 0, from.cx, from.cy, SRCCOPY);
    return copy;
}

}  // namespace

SIZE PortraitShownSize(SIZE picture, SIZE cell, const ItemScale& scale) {
    if (picture.cx <= 0 || picture.cy <= 0) return picture;
    const SIZE grown = {scale(picture.cx), scale(picture.cy)};
    if (grown.cx <= cell.cx && grown.cy <= cell.cy) return grown;
    // The side that meets the cell first fills it; the other keeps the proportion, at least one pixel.
    if (static_cast<long long>(picture.cx) * cell.cy >= static_cast<long long>(picture.cy) * cell.cx)
        return {cell.cx, std::max<LONG>(1, Proportion(picture.cy, cell.cx, picture.cx))};
    return {std::max<LONG>(1, Proportion(picture.cx, cell.cy, picture.cy)), cell.cy};
}

RECT DrawPortrait(HDC dc, HBITMAP portrait, GdiObject<HBITMAP>& fitted, const RECT& cell, const ItemScale& scale) {
    const SIZE own = BitmapSize(portrait);
    const SIZE shown = PortraitShownSize(own, {cell.right - cell.left, cell.bottom - cell.top}, scale);
    if (SameSize(shown, own)) {
        fitted.Reset();  // a copy for a cell the picture no longer outgrows
        return DrawBitmapCentered(dc, portrait, cell);
    }
    if (!SameSize(BitmapSize(fitted.get()), shown)) fitted = StretchedCopy(dc, portrait, own, shown);
    return DrawBitmapCentered(dc, fitted.get(), cell);
}
