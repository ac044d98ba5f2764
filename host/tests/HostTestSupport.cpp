#include "HostTestSupport.h"
#include <objidl.h>
#include <gdiplus.h>
#include "Screenshot.h"
#include "platform/MessagePump.h"
#include <stdexcept>

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

std::wstring TestItemModuleName(char copy) {
    return copy == 'A' ? L"HostTestItem.dll" : std::wstring(L"HostTestItem") + static_cast<wchar_t>(copy) + L".dll";
}

std::wstring TestItemDll(char copy) { return ProgramFolder() + L"\\" + TestItemModuleName(copy); }

void RegisteredItems::Add(const TestRegistration& item) {
    items.push_back(std::make_unique<ScopedRegistryKey>(std::wstring(TEST_ITEMS_KEY) + L"\\" + item.name));
    ScopedRegistryKey& key = *items.back();
    if (item.writeDll) key.SetString(L"DLL", TestItemDll(item.copy));
    for (const auto& [name, value] : {std::pair<const wchar_t*, DWORD>{L"Type", item.type},
                                      {L"Enabled", item.enabled},
                                      {L"Options", item.options},
                                      {L"Order", item.order},
                                      {L"Selectability", item.selectability},
                                      {L"Flags", item.flags}})
        key.SetDword(name, value);
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

void HostTest::TearDown() {
    host.reset();
    DrainMessages();
}

::testing::AssertionResult HostTest::StartHost(const HostConfig& config) {
    host = std::make_unique<TodayHost>(config);
    if (host->Create()) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "the host was not created";
}

HostedItem& HostTest::Item(const wchar_t* name) {
    HostedItem* item = host->FindItem(name);
    if (!item) throw std::runtime_error("no such item");
    return *item;
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
