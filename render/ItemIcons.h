// The item's five icons, loaded from the module's resources at the screen's scale.
#pragma once
#include <windows.h>

#include "../resources/resource.h"

class ItemIcons {
public:
    explicit ItemIcons(HINSTANCE module) : moduleInstance(module) {}
    ~ItemIcons() { ReleaseIcons(); }
    ItemIcons(const ItemIcons&) = delete;
    ItemIcons& operator=(const ItemIcons&) = delete;

    void LoadIcons();
    void ReleaseIcons();

    HICON appIcon = nullptr;
    HICON nextArrow = nullptr;
    HICON nextArrowHighlighted = nullptr;
    HICON prevArrow = nullptr;
    HICON prevArrowHighlighted = nullptr;
    HINSTANCE moduleInstance;
};

HICON LoadItemIcon(const ItemIcons& icons, int resourceId);
