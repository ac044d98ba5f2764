#include "ItemIcons.h"
#include "Metrics.h"
#include <initializer_list>

HICON LoadItemIcon(const ItemIcons& icons, int resourceId) {
    int resolutionY = CachedScreenResolutionY();
    int resolutionX = CachedScreenResolutionX();
    // 16 pixels at 96 dpi, scaled and rounded half up; a missing resolution (-1) gives 0, the icon's own size.
    int width = (16 * resolutionX + 48) / 96;
    int height = (16 * resolutionY + 48) / 96;
    return static_cast<HICON>(LoadImageW(icons.moduleInstance, MAKEINTRESOURCEW(resourceId), IMAGE_ICON, width, height, 0));
}

void ItemIcons::LoadIcons() {
    appIcon = LoadItemIcon(*this, IDI_APP);
    nextArrow = LoadItemIcon(*this, IDI_NEXT_ARROW);
    nextArrowHighlighted = LoadItemIcon(*this, IDI_NEXT_ARROW_LIT);
    prevArrow = LoadItemIcon(*this, IDI_PREV_ARROW);
    prevArrowHighlighted = LoadItemIcon(*this, IDI_PREV_ARROW_LIT);
}

void ItemIcons::ReleaseIcons() {
    for (HICON* icon : {&appIcon, &nextArrow, &nextArrowHighlighted, &prevArrow, &prevArrowHighlighted}) {
        if (*icon) DestroyIcon(*icon);
        *icon = nullptr;
    }
}
