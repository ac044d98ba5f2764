// Loading, unloading and reloading the host's items.
#include "ItemLoader.h"
#include "TodayHost.h"

void TodayHost::LoadItems() {
    std::vector<std::wstring> notes;
    std::vector<ItemRegistration> registrations;
    if (config.itemDlls.empty()) {
        registrations = ReadItemRegistrations(config.itemsKey, notes);
    } else {
        for (size_t i = 0; i < config.itemDlls.size(); ++i)
            registrations.push_back(RegistrationForDll(config.itemDlls[i], static_cast<DWORD>(i)));
    }
    if (registrations.size() > k_cTodayItemsMax) {
        notes.push_back(L"only the first " + std::to_wstring(k_cTodayItemsMax) + L" of " +
                        std::to_wstring(registrations.size()) + L" items are loaded");
        registrations.resize(k_cTodayItemsMax);
    }
    for (const std::wstring& note : notes) Note(note);

    BeginBusy();
    for (const ItemRegistration& registration : registrations) {
        ItemLoadResult result = LoadItem(registration, window);
        if (!result.note.empty()) Note(result.note);
        if (result.item) items.push_back(std::move(result.item));
    }
    LayoutItems();
    EndBusy();
}

void TodayHost::UnloadItems() {
    BeginBusy();
    selected = -1;
    // Last loaded first, so an item never outlives one loaded before it.
    while (!items.empty()) {
        std::wstring warning = UnloadItem(*items.back());
        if (!warning.empty()) Note(warning);
        items.pop_back();
    }
    scrollOffset = 0;
    --busy;  // not EndBusy: a pending reload is what called this, or the host is closing
}

void TodayHost::ReloadItems() {
    UnloadItems();
    LoadItems();
    if (window) InvalidateRect(window, nullptr, FALSE);
}
