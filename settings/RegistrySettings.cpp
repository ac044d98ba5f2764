#include "RegistrySettings.h"

bool RegistrySettings::OpenProductKey() {
    if (IsOpen()) return true;
    return Open(PRODUCT_KEY_PATH);
}

bool RegistrySettings::Load() {
    if (!OpenProductKey()) {
        installPath = DEFAULT_INSTALL_PATH;
        smsPrefix = DEFAULT_SMS_PREFIX;
        return false;
    }
    smsPrefix = ReadString(L"SMSPrefix", L"");
    installPath = ReadString(L"InstallPath", L"");
    configuredLines = ReadDword(L"HorTLines", DEFAULT_CONFIGURED_LINES);
    if (installPath.empty()) installPath = DEFAULT_INSTALL_PATH;
    if (smsPrefix.empty()) smsPrefix = DEFAULT_SMS_PREFIX;
    return true;
}
