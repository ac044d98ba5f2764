// Shared pieces of the host's system tests: the test items' rows, their registration, paths.
#pragma once
#include <windows.h>
#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <vector>
#include "TestItemProtocol.h"
#include "TodayHost.h"
#include "support/PeerProcess.h"  // ProgramFolder
#include "support/RecordingWindow.h"
#include "support/Registry.h"

// Registry key (under HKLM) where the tests register their items, away from the real Today items.
constexpr wchar_t TEST_ITEMS_KEY[] = L"Software\\ArdenoHostTests\\Today\\Items";

// TodayHost.exe and the test item DLLs lie beside the test program (ProgramFolder()).
// One of the three copies of the test item DLL: 'A', 'B' or 'C' (each copy is a separate module).
std::wstring TestItemDll(char copy);
std::wstring TestItemModuleName(char copy);

// The test items in this program record their rows into the one sequence (support/RecordingWindow.h). A row as a
// recorded message; TEST_ITEM_INITIALIZED carries the record's bytes as its copy-data.
RecordedMessage FromTestItem(const TestItemRow& row);
// The rows a test item in another program appended to its file (TEST_ITEM_LOG_VARIABLE), in order.
std::vector<RecordedMessage> ReadTestItemRows(const std::wstring& path);
// The records the host handed the item of this name at each call of its export 240, in order, as
// "enabled=1 order=2 cyp=0 options=1 selectability=2".
std::vector<std::string> Initializations(const wchar_t* name);

struct TestRegistration {
    std::wstring name;
    char copy = 'A';
    DWORD order = 0;
    DWORD flags = TEST_ITEM_FLAGS(20, 0);
    DWORD enabled = 1;
    DWORD type = 4;
    DWORD options = 1;
    DWORD selectability = TODAY_SELECTABILITY_CUSTOMSELECTION;
    bool writeDll = true;
};

// Registers items under TEST_ITEMS_KEY for one test and removes them all afterwards.
class RegisteredItems {
public:
    void Add(const TestRegistration& registration);

private:
    AbsentRegistryKey all{TEST_ITEMS_KEY};
    std::vector<std::unique_ptr<ScopedRegistryKey>> items;
};

// A host for a test: items from TEST_ITEMS_KEY, no periodic refresh, no WM_QUIT when it closes.
HostConfig TestHostConfig();

// A test with a host of its own and the items it registers; the recorded rows are cleared first, and the host is
// closed (what it posted handled) before the registrations go.
class HostTest : public ::testing::Test {
protected:
    HostTest() { ClearRecorded(); }
    void TearDown() override;
    ::testing::AssertionResult StartHost(const HostConfig& config = TestHostConfig());
    HostedItem& Item(const wchar_t* name);  // throws when the host has no such item

    RegisteredItems registry;
    std::unique_ptr<TodayHost> host;
};
