// Registry values for tests: a key under HKEY_LOCAL_MACHINE made fresh for the test and deleted after it.
#pragma once
#include <windows.h>
#include "platform/ScopedHandles.h"
#include <string>
#include <vector>

constexpr wchar_t TEST_PRODUCT_KEY[] = L"Software\\Ulmara\\Ardeno";
constexpr wchar_t TEST_FONT_SIZE_KEY[] = L"ControlPanel\\Stylus\\96DPI";

void DeleteRegistryTree(HKEY root, const std::wstring& path);

class ScopedRegistryKey {
public:
    explicit ScopedRegistryKey(const std::wstring& path);  // any leftover is deleted first
    ~ScopedRegistryKey();

    // Stored as REG_SZ with its terminating NUL.
    void SetString(const wchar_t* name, const std::wstring& value);
    void SetDword(const wchar_t* name, DWORD value);
    void SetBytes(const wchar_t* name, const std::vector<BYTE>& bytes, DWORD type = REG_BINARY);

private:
    std::wstring path;
    RegistryKeyHandle key;
};

// Removes the key for the test's lifetime and afterwards.
class AbsentRegistryKey {
public:
    explicit AbsentRegistryKey(const std::wstring& path) : path(path) { DeleteRegistryTree(HKEY_LOCAL_MACHINE, path); }
    ~AbsentRegistryKey() { DeleteRegistryTree(HKEY_LOCAL_MACHINE, path); }

private:
    std::wstring path;
};
