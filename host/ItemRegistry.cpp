#include "ItemRegistry.h"
#include <algorithm>
#include "platform/ScopedHandles.h"
#include "platform/todaycmn.h"

namespace {

RegistryKeyHandle OpenForReading(HKEY root, const std::wstring& path) {
    RegistryKeyHandle key;
    // A failed open may leave anything in the output: it is not ours to close.
    if (RegOpenKeyExW(root, path.c_str(), 0, KEY_READ, key.Receive()) != ERROR_SUCCESS) key.Release();
    return key;
}

// A value of type REG_DWORD; a value of any other type, or missing, gives the fallback.
DWORD ReadRegDword(HKEY key, const wchar_t* name, DWORD fallback) {
    DWORD value = 0, type = 0, size = sizeof(value);
    bool ok = RegQueryValueExW(key, name, nullptr, &type, reinterpret_cast<BYTE*>(&value), &size) == ERROR_SUCCESS &&
              type == REG_DWORD && size == sizeof(value);
    return ok ? value : fallback;
}

// A value of type REG_SZ or REG_EXPAND_SZ (expanded); anything else gives "".
std::wstring ReadRegString(HKEY key, const wchar_t* name) {
    DWORD type = 0, size = 0;
    if (RegQueryValueExW(key, name, nullptr, &type, nullptr, &size) != ERROR_SUCCESS) return L"";
    if (type != REG_SZ && type != REG_EXPAND_SZ) return L"";
    std::wstring text(size / sizeof(wchar_t) + 1, L'\0');
    if (RegQueryValueExW(key, name, nullptr, &type, reinterpret_cast<BYTE*>(&text[0]), &size) != ERROR_SUCCESS)
        return L"";
    text.resize(wcsnlen(text.c_str(), text.size()));
    if (type == REG_EXPAND_SZ) {
        wchar_t expanded[MAX_PATH];
        DWORD length = ExpandEnvironmentStringsW(text.c_str(), expanded, MAX_PATH);
        if (length > 0 && length <= MAX_PATH) text = expanded;
    }
    return text;
}

}  // namespace

std::vector<ItemRegistration> ReadItemRegistrations(const std::wstring& itemsKey, std::vector<std::wstring>& notes) {
    std::vector<ItemRegistration> items;
    RegistryKeyHandle root = OpenForReading(HKEY_LOCAL_MACHINE, itemsKey);
    if (!root) {
        notes.push_back(L"no items are registered (HKLM\\" + itemsKey + L" is missing)");
        return items;
    }
    for (DWORD index = 0;; ++index) {
        wchar_t name[256];
        DWORD nameLength = ARRAYSIZE(name);
        LONG result = RegEnumKeyExW(root.get(), index, name, &nameLength, nullptr, nullptr, nullptr, nullptr);
        if (result == ERROR_NO_MORE_ITEMS) break;
        if (result != ERROR_SUCCESS) continue;
        RegistryKeyHandle key = OpenForReading(root.get(), name);
        if (!key) continue;

        ItemRegistration item;
        item.name = name;
        item.type = ReadRegDword(key.get(), L"Type", 0);
        if (item.type != TODAY_ITEM_TYPE_CUSTOM) {
            notes.push_back(L"item '" + item.name + L"' skipped: not a custom item (Type " +
                            std::to_wstring(item.type) + L")");
            continue;
        }
        item.dllPath = ReadRegString(key.get(), L"DLL");
        if (item.dllPath.empty()) {
            notes.push_back(L"item '" + item.name + L"' skipped: no DLL value");
            continue;
        }
        item.enabled = ReadRegDword(key.get(), L"Enabled", 0) != 0;
        item.options = ReadRegDword(key.get(), L"Options", 0) != 0;
        item.order = ReadRegDword(key.get(), L"Order", 0);
        item.selectability = ReadRegDword(key.get(), L"Selectability", TODAY_SELECTABILITY_NOTSELECTABLE);
        item.flags = ReadRegDword(key.get(), L"Flags", 0);
        items.push_back(item);
    }
    std::stable_sort(items.begin(), items.end(), [](const ItemRegistration& a, const ItemRegistration& b) {
        if (a.order != b.order) return a.order < b.order;
        return _wcsicmp(a.name.c_str(), b.name.c_str()) < 0;
    });
    return items;
}

ItemRegistration RegistrationForDll(const std::wstring& dllPath, DWORD order) {
    ItemRegistration item;
    size_t slash = dllPath.find_last_of(L"\\/");
    item.name = dllPath.substr(slash == std::wstring::npos ? 0 : slash + 1);
    size_t dot = item.name.rfind(L'.');
    if (dot != std::wstring::npos && dot > 0) item.name.erase(dot);
    item.dllPath = dllPath;
    item.type = TODAY_ITEM_TYPE_CUSTOM;
    item.enabled = true;
    item.options = true;  // the loader drops it when the DLL has no dialog procedure
    item.order = order;
    item.selectability = TODAY_SELECTABILITY_CUSTOMSELECTION;
    return item;
}
