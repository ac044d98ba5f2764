#include "RegistryKey.h"
#include "../platform/handheld.h"
#include <string.h>

bool RegistryKey::Open(const wchar_t* subKey) {
    HKEY opened = NULL;
    // The handheld takes no access mask (its reference asks for 0); platform/ says what desktop needs.
    if (PlatformRegOpenKeyExW(root, subKey, 0, 0, &opened) != ERROR_SUCCESS) return false;
    handle.Reset(opened);
    return true;
}

LONG RegistryKey::QueryDword(const wchar_t* valueName, DWORD* value) const {
    if (!handle) return ERROR_INVALID_HANDLE;
    DWORD read = 0;
    DWORD size = sizeof(read);
    LONG result = RegQueryValueExW(handle.get(), valueName, NULL, NULL, reinterpret_cast<BYTE*>(&read), &size);
    if (result != ERROR_SUCCESS) return result;
    // Fewer than four bytes stored would leave the rest of the number undefined.
    if (size != sizeof(read)) return ERROR_INVALID_DATA;
    *value = read;
    return ERROR_SUCCESS;
}

DWORD RegistryKey::ReadDword(const wchar_t* valueName, DWORD defaultValue) const {
    DWORD value = defaultValue;
    return QueryDword(valueName, &value) == ERROR_SUCCESS ? value : defaultValue;
}

namespace {

// `length` units of `from`, cut to fit the buffer, terminated.
void CopyCapped(wchar_t (&text)[REGISTRY_TEXT_MAX_UNITS], const wchar_t* from, size_t length) {
    if (length >= REGISTRY_TEXT_MAX_UNITS) length = REGISTRY_TEXT_MAX_UNITS - 1;
    memmove(text, from, length * sizeof(wchar_t));
    text[length] = L'\0';
}

}  // namespace

void CopyRegistryText(wchar_t (&text)[REGISTRY_TEXT_MAX_UNITS], const wchar_t* from) {
    CopyCapped(text, from, wcslen(from));
}

bool RegistryKey::ReadString(const wchar_t* valueName, wchar_t (&text)[REGISTRY_TEXT_MAX_UNITS]) const {
    if (!handle) return false;
    wchar_t read[REGISTRY_TEXT_MAX_UNITS];
    DWORD size = REGISTRY_TEXT_MAX_BYTES;
    if (RegQueryValueExW(handle.get(), valueName, NULL, NULL, reinterpret_cast<BYTE*>(read), &size) != ERROR_SUCCESS)
        return false;
    // Without its terminator, if it has one; a value that fills the buffer gives its last unit to ours.
    size_t units = size / sizeof(wchar_t);
    if (units > 0 && read[units - 1] == L'\0') --units;
    CopyCapped(text, read, units);
    return true;
}
