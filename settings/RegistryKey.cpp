#include "RegistryKey.h"
#include "../platform/handheld.h"

namespace {
constexpr DWORD STRING_VALUE_BUFFER_BYTES = 1024;
}  // namespace

bool RegistryKey::Open(const std::wstring& subKey) {
    HKEY opened = nullptr;
    if (PlatformRegOpenKeyExW(root, subKey.c_str(), 0, KEY_ALL_ACCESS, &opened) != ERROR_SUCCESS) return false;
    handle.Reset(opened);
    return true;
}

DWORD RegistryKey::ReadDword(const wchar_t* valueName, DWORD defaultValue) const {
    if (!handle) return defaultValue;
    DWORD value = 0;
    DWORD size = sizeof(value);
    if (RegQueryValueExW(handle.get(), valueName, nullptr, nullptr, reinterpret_cast<BYTE*>(&value), &size) !=
        ERROR_SUCCESS)
        return defaultValue;
    // Fewer than four bytes stored would leave the rest of the number undefined.
    if (size != sizeof(value)) return defaultValue;
    return value;
}

std::wstring RegistryKey::ReadString(const wchar_t* valueName, const std::wstring& fallback) const {
    if (!handle) return fallback;
    wchar_t buffer[STRING_VALUE_BUFFER_BYTES / sizeof(wchar_t)];
    DWORD size = STRING_VALUE_BUFFER_BYTES;
    if (RegQueryValueExW(handle.get(), valueName, nullptr, nullptr, reinterpret_cast<BYTE*>(buffer), &size) !=
        ERROR_SUCCESS)
        return fallback;
    size_t units = size / sizeof(wchar_t);
    if (units > 0 && buffer[units - 1] == L'\0') --units;
    return std::wstring(buffer, units);
}
