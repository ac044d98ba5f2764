// The item's five icons, loaded from the module's resources at the screen's scale.
#pragma once
#include <windows.h>

#include "../platform/ScopedHandles.h"
#include "../resources/resource.h"

class ItemIcons {
public:
    explicit ItemIcons(HINSTANCE module) : moduleInstance(module) {}
    ~ItemIcons() { ReleaseIcons(); }
    ItemIcons(const ItemIcons&) = delete;
    ItemIcons& operator=(const ItemIcons&) = delete;

    void LoadIcons();
    // Destroys the icons in field order; each owner holds null afterwards.
    void ReleaseIcons();

    IconHandle appIcon;
    IconHandle nextArrow;
    IconHandle nextArrowHighlighted;
    IconHandle prevArrow;
    IconHandle prevArrowHighlighted;
    HINSTANCE moduleInstance;
};

HICON LoadItemIcon(const ItemIcons& icons, int resourceId);
