#include "HostTestSupport.h"
#include "toolbox/MessagePump.h"
#include <cstdio>
#include <cstring>
#include <stdexcept>

// The test items find this export in the program that loaded them and record through it.
extern "C" __declspec(dllexport) void HostTestItemRow(const TestItemRow* row) { Record(FromTestItem(*row)); }

RecordedMessage FromTestItem(const TestItemRow& row) {
    RecordedMessage recorded{row.message, row.wParam, row.lParam, row.posted ? Delivery::Posted : Delivery::Sent};
    recorded.window = row.window;
    if (row.message == TEST_ITEM_INITIALIZED) {
        const auto* bytes = reinterpret_cast<const BYTE*>(&row.record);
        recorded.copyData.assign(bytes, bytes + sizeof(row.record));
    }
    return recorded;
}

std::vector<RecordedMessage> ReadTestItemRows(const std::wstring& path) {
    const std::string bytes = ReadFileText(path);
    std::vector<RecordedMessage> rows;
    for (size_t at = 0; at + sizeof(TestItemRow) <= bytes.size(); at += sizeof(TestItemRow)) {
        TestItemRow row;
        memcpy(&row, bytes.data() + at, sizeof(row));
        rows.push_back(FromTestItem(row));
    }
    return rows;
}

std::vector<std::string> Initializations(const wchar_t* name) {
    std::vector<std::string> records;
    for (const RecordedMessage& row : Numbered(Recorded(), TEST_ITEM_INITIALIZED)) {
        TODAYLISTITEM record;
        if (row.copyData.size() != sizeof(record)) continue;
        memcpy(&record, row.copyData.data(), sizeof(record));
        if (wcscmp(record.szName, name) != 0) continue;
        char fields[128];
        snprintf(fields, sizeof(fields), "enabled=%d order=%lu cyp=%lu options=%d selectability=%lu", record.fEnabled,
                 static_cast<unsigned long>(record.dwOrder), static_cast<unsigned long>(record.cyp), record.fOptions,
                 static_cast<unsigned long>(record.dwSelectability));
        records.push_back(fields);
    }
    return records;
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
