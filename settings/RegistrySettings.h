// The messenger's settings, read once while the item is built; nothing is ever written.
#pragma once
#include "RegistryKey.h"

constexpr wchar_t PRODUCT_KEY_PATH[] = L"\\Software\\Ulmara\\Ardeno\\";
constexpr wchar_t DEFAULT_INSTALL_PATH[] = L"\\Program Files\\Ardeno\\Ardeno.exe";
// The operator's SMS service short code.
constexpr wchar_t DEFAULT_SMS_PREFIX[] = L"10658";
constexpr DWORD DEFAULT_CONFIGURED_LINES = 3;

class RegistrySettings : public RegistryKey {
public:
    bool OpenProductKey();
    bool Load();

    std::wstring installPath;
    DWORD configuredLines = DEFAULT_CONFIGURED_LINES;
    std::wstring smsPrefix;
};
