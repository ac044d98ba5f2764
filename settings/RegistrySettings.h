// The messenger's settings, read once while the item is built; nothing is ever written.
#pragma once
#include "RegistryKey.h"

#define PRODUCT_KEY_PATH L"\\Software\\Ulmara\\Ardeno\\"
#define DEFAULT_INSTALL_PATH L"\\Program Files\\Ardeno\\Ardeno.exe"
// The operator's SMS service short code.
#define DEFAULT_SMS_PREFIX L"10658"
#define DEFAULT_CONFIGURED_LINES 3

class RegistrySettings : public RegistryKey {
public:
    bool OpenProductKey();
    bool Load();

    std::wstring installPath;
    DWORD configuredLines = DEFAULT_CONFIGURED_LINES;
    std::wstring smsPrefix;
};
