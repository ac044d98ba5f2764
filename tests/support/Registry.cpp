#include "Registry.h"

void DeleteRegistryTree(HKEY root, const std::wstring& path) {
    RegistryKeyHandle key;
    if (RegOpenKeyExW(root, path.c_str(), 0, KEY_ALL_ACCESS, key.Receive()) == ERROR_SUCCESS) {
        wchar_t child[256];
        for (;;) {
            DWORD length = ARRAYSIZE(child);
            if (RegEnumKeyExW(key.get(), 0, child, &length, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) break;
            DeleteRegistryTree(key.get(), child);
        }
    } else {
        key.Release();  // a failed open may leave anything in the output
    }
    key.Reset();  // closed before the key itself is deleted
    RegDeleteKeyW(root, path.c_str());
}

ScopedRegistryKey::ScopedRegistryKey(const std::wstring& path) : path(path) {
    DeleteRegistryTree(HKEY_LOCAL_MACHINE, path);
    if (RegCreateKeyExW(HKEY_LOCAL_MACHINE, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, key.Receive(),
                        nullptr) != ERROR_SUCCESS)
        key.Release();
}

ScopedRegistryKey::~ScopedRegistryKey() {
    key.Reset();
    DeleteRegistryTree(HKEY_LOCAL_MACHINE, path);
}

void ScopedRegistryKey::SetString(const wchar_t* name, const std::wstring& value) {
    RegSetValueExW(key.get(), name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                   static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
}

void ScopedRegistryKey::SetDword(const wchar_t* name, DWORD value) {
    RegSetValueExW(key.get(), name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), sizeof(value));
}

void ScopedRegistryKey::SetBytes(const wchar_t* name, const std::vector<BYTE>& bytes, DWORD type) {
    RegSetValueExW(key.get(), name, 0, type, bytes.data(), static_cast<DWORD>(bytes.size()));
}
