// The messenger's settings, read once while the item is built; nothing is ever written.
#pragma once
#include "RegistryKey.h"

static const wchar_t PRODUCT_KEY_PATH[] = L"\\Software\\Ulmara\\Ardeno\\";
static const wchar_t DEFAULT_INSTALL_PATH[] = L"\\Program Files\\Ardeno\\Ardeno.exe";
// The operator's SMS service short code.
static const wchar_t DEFAULT_SMS_PREFIX[] = L"10658";
const DWORD DEFAULT_CONFIGURED_LINES = 3;

class RegistrySettings : public RegistryKey {
public:
    RegistrySettings();
    bool OpenProductKey();
    // Every value read, or its default; false when the product key cannot be opened.
    bool Load();

    wchar_t installPath[REGISTRY_TEXT_MAX_UNITS];
    DWORD configuredLines;
    wchar_t smsPrefix[REGISTRY_TEXT_MAX_UNITS];
};
