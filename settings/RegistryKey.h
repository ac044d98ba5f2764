// A thin owner of one open registry key under HKEY_LOCAL_MACHINE.
#pragma once
#include "../platform/ScopedHandles.h"

// The most bytes of a text value the item reads: 512 UTF-16 units, the terminator included.
const DWORD REGISTRY_TEXT_MAX_BYTES = 1024;
const size_t REGISTRY_TEXT_MAX_UNITS = REGISTRY_TEXT_MAX_BYTES / sizeof(wchar_t);

// Copies a text into a buffer of REGISTRY_TEXT_MAX_UNITS units, cut to fit, terminated.
void CopyRegistryText(wchar_t (&text)[REGISTRY_TEXT_MAX_UNITS], const wchar_t* from);

class RegistryKey {
public:
    RegistryKey() : root(HKEY_LOCAL_MACHINE) {}
    bool Open(const wchar_t* subKey);
    // The four bytes stored, whatever the value's type; the default when fewer or more are stored.
    DWORD ReadDword(const wchar_t* valueName, DWORD defaultValue) const;
    // The same read, telling why it failed: the platform's code, ERROR_INVALID_DATA for other than four
    // bytes, ERROR_INVALID_HANDLE with no key open. *value is set only on success.
    LONG QueryDword(const wchar_t* valueName, DWORD* value) const;
    // Up to REGISTRY_TEXT_MAX_BYTES taken as UTF-16 text, without its terminator, into `text` (room for
    // REGISTRY_TEXT_MAX_UNITS units, terminated). False, with `text` as it was, when it cannot be read.
    bool ReadString(const wchar_t* valueName, wchar_t (&text)[REGISTRY_TEXT_MAX_UNITS]) const;
    void Close() { handle.Reset(); }
    bool IsOpen() const { return handle ? true : false; }

protected:
    HKEY root;
    RegistryKeyHandle handle;

private:
    RegistryKey(const RegistryKey&);
    RegistryKey& operator=(const RegistryKey&);
};
