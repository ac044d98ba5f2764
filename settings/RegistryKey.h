// A thin owner of one open registry key under HKEY_LOCAL_MACHINE.
#pragma once
#include "../platform/ScopedHandles.h"
#include <string>

class RegistryKey {
public:
    bool Open(const std::wstring& subKey);
    // The four bytes stored, whatever the value's type; the default when fewer or more are stored.
    DWORD ReadDword(const wchar_t* valueName, DWORD defaultValue) const;
    // Up to 1,024 bytes taken as UTF-16 text, without its terminator; the fallback otherwise.
    std::wstring ReadString(const wchar_t* valueName, const std::wstring& fallback) const;
    void Close() { handle.Reset(); }
    bool IsOpen() const { return static_cast<bool>(handle); }

protected:
    HKEY root = HKEY_LOCAL_MACHINE;
    RegistryKeyHandle handle;
};
