#include "ItemIcons.h"
#include "ItemScale.h"
#include "Metrics.h"
#include "../platform/ItemMemory.h"

namespace {
const int ICON_SIZE_AT_96_DPI = 16;
// The sides every icon resource holds (resources/make_icons.py). The handheld does not stretch icons, so the item
// asks for one of these.
const int HELD_ICON_SIDES[] = {16, 24, 32};

int Distance(int a, int b) { return a > b ? a - b : b - a; }

SIZE LoadedSize(HICON icon) {
    SIZE size = {0, 0};
    ICONINFO info = {};
    if (!icon || !GetIconInfo(icon, &info)) return size;
    GdiObject<HBITMAP> colour(info.hbmColor), mask(info.hbmMask);
    BITMAP bitmap = {};
    // A monochrome icon has no colour bitmap; its mask holds two pictures, one above the other.
    GetObjectW(colour ? colour.get() : mask.get(), sizeof(bitmap), &bitmap);
    size.cx = bitmap.bmWidth;
    size.cy = colour ? bitmap.bmHeight : bitmap.bmHeight / 2;
    return size;
}

}  // namespace

// 16 pixels scaled as every other measure, then the nearest held side; on a tie the smaller, which the first
// line always holds above the portrait's frame (at 120 dpi, 20 takes 16: a 24-pixel icon would reach the frame).
int ItemIconSide(int dotsPerInch) {
    if (dotsPerInch <= 0) return 0;
    const int wanted = ItemScale(dotsPerInch)(ICON_SIZE_AT_96_DPI);
    int nearest = HELD_ICON_SIDES[0];
    for (size_t i = 0; i < sizeof(HELD_ICON_SIDES) / sizeof(HELD_ICON_SIDES[0]); ++i)
        if (Distance(HELD_ICON_SIDES[i], wanted) < Distance(nearest, wanted)) nearest = HELD_ICON_SIDES[i];
    return nearest;
}

void ItemIcon::Reset(HICON loaded) {
    givenUp = false;
    handle.Reset(loaded);
    size = LoadedSize(loaded);
}

void ItemIcons::LoadIcons() { LoadIcons(CachedScreenResolutionX(), CachedScreenResolutionY()); }

void ItemIcons::LoadIcons(int horizontalDpi, int verticalDpi) {
    ReleaseIcons();
    loadedDpiX = horizontalDpi;
    loadedDpiY = verticalDpi;
    LoadAbsent();
}

bool ItemIcons::LoadMissing() {
    // Loaded before the screen's resolution could be learned (memory was short): loaded again at the right one.
    const int dpiX = CachedScreenResolutionX(), dpiY = CachedScreenResolutionY();
    if (dpiX > 0 && dpiY > 0 && (dpiX != loadedDpiX || dpiY != loadedDpiY)) LoadIcons(dpiX, dpiY);
    if (AllSettled()) return true;
    LoadAbsent();
    return AllSettled();
}

bool ItemIcons::AllSettled() const {
    const ItemIcon* const icons[] = {&appIcon, &nextArrow, &nextArrowHighlighted, &prevArrow, &prevArrowHighlighted};
    for (size_t i = 0; i < sizeof(icons) / sizeof(icons[0]); ++i)
        if (!icons[i]->get() && !icons[i]->givenUp) return false;
    return true;
}

void ItemIcons::LoadAbsent() {
    const int width = ItemIconSide(loadedDpiX), height = ItemIconSide(loadedDpiY);
    struct Slot {
        ItemIcon* icon;
        int resourceId;
    } const slots[] = {{&appIcon, IDI_APP},
                       {&nextArrow, IDI_NEXT_ARROW},
                       {&nextArrowHighlighted, IDI_NEXT_ARROW_LIT},
                       {&prevArrow, IDI_PREV_ARROW},
                       {&prevArrowHighlighted, IDI_PREV_ARROW_LIT}};
    for (size_t i = 0; i < sizeof(slots) / sizeof(slots[0]); ++i) {
        if (slots[i].icon->get() || slots[i].icon->givenUp) continue;
        SetLastError(ERROR_SUCCESS);
        HICON loaded = static_cast<HICON>(
            LoadImageW(moduleInstance, MAKEINTRESOURCEW(slots[i].resourceId), IMAGE_ICON, width, height, 0));
        if (!loaded) {
            slots[i].icon->givenUp = !FailedForWantOfMemory();
            continue;
        }
        slots[i].icon->Reset(loaded);
        // An icon whose size could not be learned (its bitmaps could not be made) would be placed wrong: it is
        // let go, and tried again with the others.
        if (slots[i].icon->size.cx == 0) slots[i].icon->Reset();
    }
}

void ItemIcons::ReleaseIcons() {
    appIcon.Reset();
    nextArrow.Reset();
    nextArrowHighlighted.Reset();
    prevArrow.Reset();
    prevArrowHighlighted.Reset();
}
