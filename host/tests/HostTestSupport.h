// Shared pieces of the host's system tests: the test items' event log, their registration, paths.
#pragma once
#include <windows.h>
#include <string>
#include <vector>
#include "TestItemProtocol.h"
#include "TodayHost.h"

// Registry key (under HKLM) where the tests register their items, away from the real Today items.
constexpr wchar_t TEST_ITEMS_KEY[] = L"Software\\ArdenoHostTests\\Today\\Items";

// The folder of the test program; TodayHost.exe and the test item DLLs lie beside it.
std::wstring BinFolder();
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
    RegisteredItems();
    ~RegisteredItems();
    void Add(const TestRegistration& registration);
};

// A host for a test: items from TEST_ITEMS_KEY, no periodic refresh, no WM_QUIT when it closes.
HostConfig TestHostConfig();

void DeleteRegistryTree(HKEY root, const std::wstring& path);

struct Pixels;
// Reads a PNG file back through GDI+ (false when it cannot).
bool LoadPng(const std::wstring& path, Pixels& pixels);
