#include "ItemSet.h"
#include "ItemLoader.h"

namespace {

bool SameRect(const RECT& a, const RECT& b) {
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

// The window's own visibility; IsWindowVisible also asks the parent, which is hidden until the host shows.
bool HasVisibleStyle(HWND window) { return (GetWindowLongW(window, GWL_STYLE) & WS_VISIBLE) != 0; }

}  // namespace

void ItemSet::Load(const std::wstring& itemsKey, const std::vector<std::wstring>& dlls, HWND host,
                   std::vector<std::wstring>& notes) {
    std::vector<ItemRegistration> registrations;
    if (dlls.empty()) {
        registrations = ReadItemRegistrations(itemsKey, notes);
    } else {
        for (size_t i = 0; i < dlls.size(); ++i)
            registrations.push_back(RegistrationForDll(dlls[i], static_cast<DWORD>(i)));
    }
    if (registrations.size() > k_cTodayItemsMax) {
        notes.push_back(L"only the first " + std::to_wstring(k_cTodayItemsMax) + L" of " +
                        std::to_wstring(registrations.size()) + L" items are loaded");
        registrations.resize(k_cTodayItemsMax);
    }
    for (const ItemRegistration& registration : registrations) {
        ItemLoadResult result = LoadItem(registration, host);
        if (!result.note.empty()) notes.push_back(result.note);
        if (result.item) items.push_back(std::move(result.item));
    }
}

void ItemSet::UnloadAll(std::vector<std::wstring>& notes) {
    // Last loaded first, so an item never outlives one loaded before it.
    while (!items.empty()) {
        std::wstring warning = UnloadItem(*items.back());
        if (!warning.empty()) notes.push_back(warning);
        items.pop_back();
    }
}

HostedItem* ItemSet::Find(const std::wstring& name) const {
    for (const auto& item : items)
        if (_wcsicmp(item->Name(), name.c_str()) == 0) return item.get();
    return nullptr;
}

HostedItem* ItemSet::OfWindow(HWND itemWindow) const {
    for (const auto& item : items)
        if (item->window && item->window == itemWindow) return item.get();
    return nullptr;
}

int ItemSet::IndexOf(const HostedItem* item) const {
    for (size_t i = 0; i < items.size(); ++i)
        if (items[i].get() == item) return static_cast<int>(i);
    return -1;
}

bool ItemSet::QueryRefresh() {
    std::vector<HWND> answered;
    for (const auto& item : items) {
        if (!item->window || !item->record.fEnabled) continue;
        if (SendMessageW(item->window, WM_TODAYCUSTOM_QUERYREFRESHCACHE, reinterpret_cast<WPARAM>(&item->record), 0))
            answered.push_back(item->window);
    }
    // An item that answered non-zero is repainted even where it stays.
    for (HWND window : answered) InvalidateRect(window, nullptr, FALSE);
    return !answered.empty();
}

HostedItem* ItemSet::WithOptions(HostedItem* preferred) const {
    if (preferred && preferred->record.fOptions) return preferred;
    for (const auto& item : items)
        if (item->record.fOptions) return item.get();
    return nullptr;
}

std::vector<int> ItemSet::ShownHeights() const {
    std::vector<int> heights;
    for (const auto& item : items) heights.push_back(item->Showable() ? static_cast<int>(item->record.cyp) : 0);
    return heights;
}

void ItemSet::Place(const StackLayout& layout) {
    for (size_t i = 0; i < items.size(); ++i) {
        HostedItem& item = *items[i];
        const RECT& rect = layout.items[i];
        if (!item.window) continue;
        if (rect.bottom > rect.top) {
            if (!item.placed || !SameRect(rect, item.rect)) {
                MoveWindow(item.window, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top, FALSE);
                InvalidateRect(item.window, nullptr, FALSE);
            }
            if (!HasVisibleStyle(item.window)) ShowWindow(item.window, SW_SHOWNA);
            item.rect = rect;
            item.placed = true;
        } else {
            if (HasVisibleStyle(item.window)) ShowWindow(item.window, SW_HIDE);
            item.rect = {0, 0, 0, 0};
            item.placed = false;
        }
    }
}
