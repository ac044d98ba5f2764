// A thin owner of one open registry key under HKEY_LOCAL_MACHINE.
#pragma once
#include <windows.h>
#include <string>

class RegistryKey {
public:
    RegistryKey() = default;
    ~RegistryKey() { Close(); }
    RegistryKey(const RegistryKey&) = delete;
    RegistryKey& operator=(const RegistryKey&) = delete;

    bool Open(const std::wstring& subKey);
    DWORD ReadDword(const wchar_t* valueName, DWORD defaultValue) const;
    std::wstring ReadString(const wchar_t* valueName, const std::wstring& fallback) const;
    void Close();
    bool IsOpen() const { return handle != nullptr; }

protected:
    HKEY root = HKEY_LOCAL_MACHINE;
    HKEY handle = nullptr;
};
