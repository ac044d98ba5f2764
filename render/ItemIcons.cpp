#include "ItemIcons.h"
#include "ItemScale.h"
#include "Metrics.h"
#include <initializer_list>

namespace {
constexpr int ICON_SIZE_AT_96_DPI = 16;
// The sides every icon resource holds (resources/make_icons.py). The handheld does not stretch icons, so the item
// asks for one of these.
constexpr int HELD_ICON_SIDES[] = {16, 24, 32};

int Distance(int a, int b) { return a > b ? a - b : b - a; }

SIZE LoadedSize(HICON icon) {
    ICONINFO info = {};
    if (!icon || !GetIconInfo(icon, &info)) return {0, 0};
    GdiObject<HBITMAP> colour(info.hbmColor), mask(info.hbmMask);
    BITMAP bitmap = {};
    // A monochrome icon has no colour bitmap; its mask holds two pictures, one above the other.
    GetObjectW(colour ? colour.get() : mask.get(), sizeof(bitmap), &bitmap);
    return {bitmap.bmWidth, colour ? bitmap.bmHeight : bitmap.bmHeight / 2};
}

}  // namespace

// 16 pixels scaled as every other measure, then the nearest held side; on a tie the smaller, which the first
// line always holds above the portrait's frame (at 120 dpi, 20 takes 16: a 24-pixel icon would reach the frame).
int ItemIconSide(int dotsPerInch) {
    if (dotsPerInch <= 0) return 0;
    const int wanted = ItemScale(dotsPerInch)(ICON_SIZE_AT_96_DPI);
    int nearest = HELD_ICON_SIDES[0];
    for (int side : HELD_ICON_SIDES)
        if (Distance(side, wanted) < Distance(nearest, wanted)) nearest = side;
    return nearest;
}

void ItemIcon::Reset(HICON loaded) {
    handle.Reset(loaded);
    size = LoadedSize(loaded);
}

void ItemIcons::LoadIcons() { LoadIcons(CachedScreenResolutionX(), CachedScreenResolutionY()); }

void ItemIcons::LoadIcons(int horizontalDpi, int verticalDpi) {
    const int width = ItemIconSide(horizontalDpi), height = ItemIconSide(verticalDpi);
    auto load = [&](int resourceId) {
        return static_cast<HICON>(
            LoadImageW(moduleInstance, MAKEINTRESOURCEW(resourceId), IMAGE_ICON, width, height, 0));
    };
    appIcon.Reset(load(IDI_APP));
    nextArrow.Reset(load(IDI_NEXT_ARROW));
    nextArrowHighlighted.Reset(load(IDI_NEXT_ARROW_LIT));
    prevArrow.Reset(load(IDI_PREV_ARROW));
    prevArrowHighlighted.Reset(load(IDI_PREV_ARROW_LIT));
}

void ItemIcons::ReleaseIcons() {
    for (ItemIcon* icon : {&appIcon, &nextArrow, &nextArrowHighlighted, &prevArrow, &prevArrowHighlighted})
        icon->Reset();
}
