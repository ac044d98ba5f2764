#include "RegistrySettings.h"

namespace {

// A value that is missing or empty counts as none: the default stands in for it.
void ReadText(const RegistryKey& key, const wchar_t* name, wchar_t (&text)[REGISTRY_TEXT_MAX_UNITS],
              const wchar_t* fallback) {
    if (!key.ReadString(name, text) || !text[0]) CopyRegistryText(text, fallback);
}

}  // namespace

RegistrySettings::RegistrySettings() : configuredLines(DEFAULT_CONFIGURED_LINES) {
    installPath[0] = L'\0';
    smsPrefix[0] = L'\0';
}

bool RegistrySettings::OpenProductKey() {
    if (IsOpen()) return true;
    return Open(PRODUCT_KEY_PATH);
}

bool RegistrySettings::Load() {
    const bool opened = OpenProductKey();
    ReadText(*this, L"SMSPrefix", smsPrefix, DEFAULT_SMS_PREFIX);
    ReadText(*this, L"InstallPath", installPath, DEFAULT_INSTALL_PATH);
    if (opened) configuredLines = ReadDword(L"HorTLines", DEFAULT_CONFIGURED_LINES);
    return opened;
}
