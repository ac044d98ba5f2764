// Shared pieces of the host's system tests: the test items' event log, their registration, paths.
#pragma once
#include <windows.h>
#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <vector>
#include "TestItemProtocol.h"
#include "TodayHost.h"
#include "support/PeerProcess.h"  // ProgramFolder
#include "support/Registry.h"

// Registry key (under HKLM) where the tests register their items, away from the real Today items.
constexpr wchar_t TEST_ITEMS_KEY[] = L"Software\\ArdenoHostTests\\Today\\Items";

// TodayHost.exe and the test item DLLs lie beside the test program (ProgramFolder()).
// One of the three copies of the test item DLL: 'A', 'B' or 'C' (each copy is a separate module).
std::wstring TestItemDll(char copy);
std::wstring TestItemModuleName(char copy);

// Events the test items sent to this program, in order.
std::vector<std::string>& ItemEvents();
// Position of an event in the log, or -1.
int EventIndex(const std::string& event);
bool HasEvent(const std::string& event);
// Events of one item that start with a prefix ("B:received").
int CountEvents(const std::string& prefix);

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

// A test with a host of its own and the items it registers; the item events are cleared first, and the host is
// closed (what it posted handled) before the registrations go.
class HostTest : public ::testing::Test {
protected:
    HostTest() { ItemEvents().clear(); }
    void TearDown() override;
    ::testing::AssertionResult StartHost(const HostConfig& config = TestHostConfig());
    HostedItem& Item(const wchar_t* name);  // throws when the host has no such item

    RegisteredItems registry;
    std::unique_ptr<TodayHost> host;
};

struct Pixels;
// Reads a PNG file back through GDI+ (false when it cannot).
bool LoadPng(const std::wstring& path, Pixels& pixels);
