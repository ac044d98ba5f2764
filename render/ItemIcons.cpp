#include "ItemIcons.h"
#include "Metrics.h"
#include <initializer_list>

namespace {
constexpr int ICON_SIZE_AT_96_DPI = 16;
constexpr int REFERENCE_DPI = 96;
}  // namespace

HICON LoadItemIcon(const ItemIcons& icons, int resourceId) {
    int resolutionY = CachedScreenResolutionY();
    int resolutionX = CachedScreenResolutionX();
    // Scaled and rounded half up; a missing resolution (-1) gives 0, the icon's own size.
    int width = (ICON_SIZE_AT_96_DPI * resolutionX + REFERENCE_DPI / 2) / REFERENCE_DPI;
    int height = (ICON_SIZE_AT_96_DPI * resolutionY + REFERENCE_DPI / 2) / REFERENCE_DPI;
    return static_cast<HICON>(
        LoadImageW(icons.moduleInstance, MAKEINTRESOURCEW(resourceId), IMAGE_ICON, width, height, 0));
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
