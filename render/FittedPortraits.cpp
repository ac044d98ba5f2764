#include "FittedPortraits.h"
#include "../platform/ItemMemory.h"
#include "../platform/ScopedHandles.h"
#include "../platform/StretchMode.h"
#include "../platform/TopDownDib.h"
#include "TextDrawing.h"
#include <string.h>

namespace {

SIZE BitmapSize(HBITMAP bitmap) {
    SIZE size = {0, 0};
    BITMAP info = {};
    if (!bitmap || !GetObjectW(bitmap, sizeof(info), &info)) return size;
    size.cx = info.bmWidth;
    size.cy = info.bmHeight;
    return size;
}

bool SameSize(SIZE a, SIZE b) { return a.cx == b.cx && a.cy == b.cy; }

// part * whole / of, rounded half up; 64-bit, since a picture may be thousands of pixels wide.
LONG Proportion(LONG part, LONG whole, LONG of) {
    return static_cast<LONG>((static_cast<LONGLONG>(part) * whole + of / 2) / of);
}

// A section, as the loaded picture is: a device-dependent bitmap costs several times more to select at each
// paint. Null unless the copy was made and filled.
HBITMAP StretchedCopy(HDC compatibleWith, HBITMAP picture, SIZE from, SIZE to) {
    void* bits = NULL;
    GdiObject<HBITMAP> copy(CreateTopDownDib(compatibleWith, to.cx, to.cy, &bits));
    if (!copy) return NULL;
    MemoryDC source(compatibleWith), target(compatibleWith);
    SelectedObject selectedPicture(source.get(), picture), selectedCopy(target.get(), copy.get());
    if (!selectedPicture.Selected() || !selectedCopy.Selected()) return NULL;
    SetStretchBltMode(target.get(), SmoothStretchMode(to.cx > from.cx || to.cy > from.cy));
    if (!StretchBlt(target.get(), 0, 0, to.cx, to.cy, source.get(), 0, 0, from.cx, from.cy, SRCCOPY)) return NULL;
    return copy.Release();
}

}  // namespace

SIZE PortraitShownSize(SIZE picture, SIZE cell, const ItemScale& scale) {
    if (picture.cx <= 0 || picture.cy <= 0) return picture;
    SIZE shown = {scale(picture.cx), scale(picture.cy)};
    if (shown.cx <= cell.cx && shown.cy <= cell.cy) return shown;
    // The side that meets the cell first fills it; the other keeps the proportion, at least one pixel.
    if (static_cast<LONGLONG>(picture.cx) * cell.cy >= static_cast<LONGLONG>(picture.cy) * cell.cx) {
        shown.cx = cell.cx;
        shown.cy = Proportion(picture.cy, cell.cx, picture.cx);
        if (shown.cy < 1) shown.cy = 1;
    } else {
        shown.cx = Proportion(picture.cx, cell.cy, picture.cy);
        shown.cy = cell.cy;
        if (shown.cx < 1) shown.cx = 1;
    }
    return shown;
}

RECT FittedPortraits::Draw(HDC dc, unsigned arrival, HBITMAP portrait, const RECT& cell, const ItemScale& scale,
                           bool* drawn, bool* givenUp) {
    bool unasked = false;
    if (!givenUp) givenUp = &unasked;
    *givenUp = false;
    const SIZE own = BitmapSize(portrait);
    const SIZE cellSize = {cell.right - cell.left, cell.bottom - cell.top};
    const SIZE shown = PortraitShownSize(own, cellSize, scale);
    HBITMAP picture = portrait;
    if (!SameSize(shown, own)) picture = CopyAt(dc, arrival, portrait, own, shown, givenUp);
    else Forget(arrival);  // a copy for a cell the picture no longer outgrows
    const RECT none = {cell.left, cell.top, cell.left, cell.top};
    const RECT placed = picture ? DrawBitmapCentered(dc, picture, cell) : none;
    *drawn = placed.right > placed.left;
    return placed;
}

HBITMAP FittedPortraits::CopyAt(HDC dc, unsigned arrival, HBITMAP portrait, SIZE own, SIZE size, bool* givenUp) {
    size_t found = count;
    for (size_t i = 0; i < count; ++i)
        if (kept[i].arrival == arrival) found = i;
    if (found < count && (kept[found].source != portrait || !SameSize(kept[found].size, size))) {
        ReleaseAt(found);  // made from a portrait since released, or for a cell of another size
        found = count;
    }
    if (found == count) {
        SetLastError(ERROR_SUCCESS);
        HBITMAP copy = StretchedCopy(dc, portrait, own, size);
        // Short of memory it is made at a later paint; a failure of another kind is kept, so it is not.
        if (!copy && FailedForWantOfMemory()) return NULL;
        if (count == FITTED_PORTRAITS_MAX) ReleaseAt(0);  // the one drawn longest ago
        const Fitted made = {arrival, portrait, size, copy};
        kept[count++] = made;
        *givenUp = !copy;
        return copy;
    }
    // Drawn again: to the back.
    const Fitted used = kept[found];
    memmove(kept + found, kept + found + 1, (count - found - 1) * sizeof(Fitted));
    kept[count - 1] = used;
    *givenUp = !used.copy;
    return used.copy;
}

void FittedPortraits::Forget(unsigned arrival) {
    for (size_t i = count; i-- > 0;)
        if (kept[i].arrival == arrival) ReleaseAt(i);
}

void FittedPortraits::KeepOnly(const PortraitInUse* inUse, size_t inUseCount) {
    for (size_t i = count; i-- > 0;) {
        bool used = false;
        for (size_t j = 0; j < inUseCount && !used; ++j)
            used = inUse[j].arrival == kept[i].arrival && inUse[j].portrait == kept[i].source;
        if (!used) ReleaseAt(i);
    }
}

void FittedPortraits::ReleaseAll() {
    while (count) ReleaseAt(count - 1);
}

void FittedPortraits::ReleaseAt(size_t index) {
    if (kept[index].copy) DeleteObject(kept[index].copy);
    memmove(kept + index, kept + index + 1, (count - index - 1) * sizeof(Fitted));
    --count;
}
