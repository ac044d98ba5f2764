// The item's five icons, loaded from the module's resources at the screen's scale.
#pragma once
#include <windows.h>

#include "../platform/ScopedHandles.h"
#include "../resources/resource.h"

// One icon and its size as loaded (0 x 0 while none is): the paint places the icon by that size.
class ItemIcon {
public:
    ItemIcon() : givenUp(false) { size.cx = size.cy = 0; }
    void Reset(HICON loaded = NULL);
    HICON get() const { return handle.get(); }

    IconHandle handle;
    SIZE size;
    bool givenUp;  // its load failed otherwise than for want of memory: not tried again at this resolution
};

class ItemIcons {
public:
    explicit ItemIcons(HINSTANCE module) : moduleInstance(module), loadedDpiX(0), loadedDpiY(0) {}
    ~ItemIcons() { ReleaseIcons(); }

    // At the screen's resolution, or at the one given (-1 or 0: each icon's first picture).
    void LoadIcons();
    void LoadIcons(int horizontalDpi, int verticalDpi);
    // Loads again, at the resolution of the last load, the icons that could not be made then (memory was short);
    // true when none is left to try again (each is there, or failed for good).
    bool LoadMissing();
    // Destroys the icons in field order; each owner holds null afterwards.
    void ReleaseIcons();

    ItemIcon appIcon;
    ItemIcon nextArrow;
    ItemIcon nextArrowHighlighted;
    ItemIcon prevArrow;
    ItemIcon prevArrowHighlighted;
    HINSTANCE moduleInstance;

private:
    ItemIcons(const ItemIcons&);
    ItemIcons& operator=(const ItemIcons&);
    // Loads each icon that is not there yet.
    void LoadAbsent();
    bool AllSettled() const;

    int loadedDpiX, loadedDpiY;
};

// The side of the icon pictures the item asks for on a screen of that resolution (0 for none known).
int ItemIconSide(int dotsPerInch);
