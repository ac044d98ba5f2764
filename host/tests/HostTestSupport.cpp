#include "HostTestSupport.h"
#include <objidl.h>
#include <gdiplus.h>
#include "Screenshot.h"
#include "platform/ScopedHandles.h"

// The test items find this export in the program that loaded them and log through it.
extern "C" __declspec(dllexport) void HostTestItemEvent(const char* line) { ItemEvents().push_back(line); }

std::vector<std::string>& ItemEvents() {
    static std::vector<std::string> events;
    return events;
}

int EventIndex(const std::string& event) {
    const auto& events = ItemEvents();
    for (size_t i = 0; i < events.size(); ++i)
        if (events[i] == event) return static_cast<int>(i);
    return -1;
}

bool HasEvent(const std::string& event) { return EventIndex(event) >= 0; }

int CountEvents(const std::string& prefix) {
    int count = 0;
    for (const auto& event : ItemEvents())
        if (event.compare(0, prefix.size(), prefix) == 0) ++count;
    return count;
}

std::wstring BinFolder() {
    wchar_t path[MAX_PATH];
    DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring folder(path, length);
    return folder.substr(0, folder.find_last_of(L"\\/"));
}

std::wstring TestItemModuleName(char copy) {
    return copy == 'A' ? L"HostTestItem.dll" : std::wstring(L"HostTestItem") + static_cast<wchar_t>(copy) + L".dll";
}

std::wstring TestItemDll(char copy) { return BinFolder() + L"\\" + TestItemModuleName(copy); }

void DeleteRegistryTree(HKEY root, const std::wstring& path) {
    RegistryKeyHandle key;
    if (RegOpenKeyExW(root, path.c_str(), 0, KEY_ALL_ACCESS, key.Receive()) != ERROR_SUCCESS) {
        key.Release();
        return;
    }
    for (;;) {
        wchar_t child[256];
        DWORD length = ARRAYSIZE(child);
        if (RegEnumKeyExW(key.get(), 0, child, &length, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) break;
        DeleteRegistryTree(key.get(), child);
    }
    key.Reset();
    RegDeleteKeyW(root, path.c_str());
}

RegisteredItems::RegisteredItems() { DeleteRegistryTree(HKEY_LOCAL_MACHINE, TEST_ITEMS_KEY); }

RegisteredItems::~RegisteredItems() { DeleteRegistryTree(HKEY_LOCAL_MACHINE, TEST_ITEMS_KEY); }

void RegisteredItems::Add(const TestRegistration& item) {
    RegistryKeyHandle key;
    std::wstring path = std::wstring(TEST_ITEMS_KEY) + L"\\" + item.name;
    if (RegCreateKeyExW(HKEY_LOCAL_MACHINE, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, key.Receive(),
                        nullptr) != ERROR_SUCCESS) {
        key.Release();
        return;
    }
    auto dword = [&](const wchar_t* name, DWORD value) {
        RegSetValueExW(key.get(), name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), sizeof(value));
    };
    if (item.writeDll) {
        std::wstring dll = TestItemDll(item.copy);
        RegSetValueExW(key.get(), L"DLL", 0, REG_SZ, reinterpret_cast<const BYTE*>(dll.c_str()),
                       static_cast<DWORD>((dll.size() + 1) * sizeof(wchar_t)));
    }
    dword(L"Type", item.type);
    dword(L"Enabled", item.enabled);
    dword(L"Options", item.options);
    dword(L"Order", item.order);
    dword(L"Selectability", item.selectability);
    dword(L"Flags", item.flags);
}

HostConfig TestHostConfig() {
    HostConfig config;
    config.itemsKey = TEST_ITEMS_KEY;
    config.refreshIntervalMs = 0;  // the tests ask for refreshes themselves
    config.quitOnClose = false;
    config.screen.size = {240, 320};
    config.clock.Freeze(L"2025-12-07 09:41");
    return config;
}

bool LoadPng(const std::wstring& path, Pixels& pixels) {
    Gdiplus::GdiplusStartupInput input;
    ULONG_PTR token;
    if (Gdiplus::GdiplusStartup(&token, &input, nullptr) != Gdiplus::Ok) return false;
    bool ok = false;
    {
        Gdiplus::Bitmap image(path.c_str());
        if (image.GetLastStatus() == Gdiplus::Ok) {
            pixels.width = static_cast<int>(image.GetWidth());
            pixels.height = static_cast<int>(image.GetHeight());
            pixels.bgrx.resize(static_cast<size_t>(pixels.width) * pixels.height);
            for (int y = 0; y < pixels.height; ++y)
                for (int x = 0; x < pixels.width; ++x) {
                    Gdiplus::Color color;
                    image.GetPixel(x, y, &color);
                    pixels.bgrx[static_cast<size_t>(y) * pixels.width + x] =
                        (color.GetR() << 16) | (color.GetG() << 8) | color.GetB();
                }
            ok = true;
        }
    }
    Gdiplus::GdiplusShutdown(token);
    return ok;
}
