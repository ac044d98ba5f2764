// The items the host has loaded, top-down in their order: loading them as the Today screen does, finding them,
// placing their windows where the layout says, and unloading them, the last loaded first.
#pragma once
#include <windows.h>
#include <memory>
#include <string>
#include <vector>
#include "HostedItem.h"
#include "ItemStack.h"

class ItemSet {
public:
    // The items registered under HKLM\itemsKey, or the DLLs given instead, made children of host. What was
    // left out, and why, goes to notes.
    void Load(const std::wstring& itemsKey, const std::vector<std::wstring>& dlls, HWND host,
              std::vector<std::wstring>& notes);
    void UnloadAll(std::vector<std::wstring>& notes);

    const std::vector<std::unique_ptr<HostedItem>>& All() const { return items; }
    int Count() const { return static_cast<int>(items.size()); }
    HostedItem& operator[](int index) const { return *items[index]; }
    HostedItem* Find(const std::wstring& name) const;
    HostedItem* OfWindow(HWND itemWindow) const;
    int IndexOf(const HostedItem* item) const;

    // The refresh query to every enabled item; those that answer non-zero are repainted. True when one did.
    bool QueryRefresh();
    // The item whose options dialog the O key opens: the preferred one if it has options, else the first that has.
    HostedItem* WithOptions(HostedItem* preferred) const;

    // Each item's height in the list: its cyp while it can be shown, else 0.
    std::vector<int> ShownHeights() const;
    // Moves each window to its rectangle in the layout (repainting what moved or changed size), shows it, and
    // hides the windows of items the layout leaves out.
    void Place(const StackLayout& layout);

private:
    std::vector<std::unique_ptr<HostedItem>> items;
};
