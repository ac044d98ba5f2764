// The registered Today items: one sub-key per item under the items key of HKEY_LOCAL_MACHINE.
#pragma once
#include <windows.h>
#include <string>
#include <vector>

constexpr wchar_t TODAY_ITEMS_KEY[] = L"Software\\Microsoft\\Today\\Items";
constexpr int TODAY_ITEM_TYPE_CUSTOM = 4;

struct ItemRegistration {
    std::wstring name;     // the sub-key's name
    std::wstring dllPath;  // value "DLL"
    DWORD type = 0;        // "Type"; only custom items (4) are plug-in DLLs
    bool enabled = false;  // "Enabled"
    bool options = false;  // "Options": the item has an options dialog
    DWORD order = 0;       // "Order": 0 is topmost
    DWORD selectability = 0;
    DWORD flags = 0;  // "Flags", handed to the item as grfFlags
};

// Reads every custom item under HKLM\itemsKey, sorted by Order (then by name, so ties are stable).
// Items the host cannot load (not custom, no DLL) are left out with a note saying why.
std::vector<ItemRegistration> ReadItemRegistrations(const std::wstring& itemsKey, std::vector<std::wstring>& notes);

// A registration for a DLL named on the command line: enabled, selectable, options when the DLL has them.
ItemRegistration RegistrationForDll(const std::wstring& dllPath, DWORD order);
