#include "ItemIcons.h"
#include "Metrics.h"
#include <initializer_list>

namespace {
constexpr int ICON_SIZE_AT_96_DPI = 16;

// Scaled as every other measure of the item; a missing resolution (-1) gives 0, the icon's own size.
int IconSide(int resolution) { return resolution > 0 ? ItemScale(resolution)(ICON_SIZE_AT_96_DPI) : 0; }
}  // namespace

HICON LoadItemIcon(const ItemIcons& icons, int resourceId) {
    const int height = IconSide(CachedScreenResolutionY());
    const int width = IconSide(CachedScreenResolutionX());
    return static_cast<HICON>(
        LoadImageW(icons.moduleInstance, MAKEINTRESOURCEW(resourceId), IMAGE_ICON, width, height, 0));
}

void ItemIcons::LoadIcons() {
    appIcon.Reset(LoadItemIcon(*this, IDI_APP));
    nextArrow.Reset(LoadItemIcon(*this, IDI_NEXT_ARROW));
    nextArrowHighlighted.Reset(LoadItemIcon(*this, IDI_NEXT_ARROW_LIT));
    prevArrow.Reset(LoadItemIcon(*this, IDI_PREV_ARROW));
    prevArrowHighlighted.Reset(LoadItemIcon(*this, IDI_PREV_ARROW_LIT));
}

void ItemIcons::ReleaseIcons() {
    for (IconHandle* icon : {&appIcon, &nextArrow, &nextArrowHighlighted, &prevArrow, &prevArrowHighlighted})
        icon->Reset();
}
