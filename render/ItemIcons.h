// The item's five icons, loaded from the module's resources at the screen's scale.
#pragma once
#include <windows.h>

#include "../platform/ScopedHandles.h"
#include "../resources/resource.h"

// One icon and its size as loaded (0 x 0 while none is): the paint places the icon by that size.
struct ItemIcon {
    void Reset(HICON loaded = nullptr);
    HICON get() const { return handle.get(); }

    IconHandle handle;
    SIZE size = {0, 0};
};

class ItemIcons {
public:
    explicit ItemIcons(HINSTANCE module) : moduleInstance(module) {}
    ~ItemIcons() { ReleaseIcons(); }
    ItemIcons(const ItemIcons&) = delete;
    ItemIcons& operator=(const ItemIcons&) = delete;

    // At the screen's resolution, or at the one given (-1 or 0: each icon's first picture).
    void LoadIcons();
    void LoadIcons(int horizontalDpi, int verticalDpi);
    // Destroys the icons in field order; each owner holds null afterwards.
    void ReleaseIcons();

    ItemIcon appIcon;
    ItemIcon nextArrow;
    ItemIcon nextArrowHighlighted;
    ItemIcon prevArrow;
    ItemIcon prevArrowHighlighted;
    HINSTANCE moduleInstance;
};

// The side of the icon pictures the item asks for on a screen of that resolution (0 for none known).
int ItemIconSide(int dotsPerInch);
