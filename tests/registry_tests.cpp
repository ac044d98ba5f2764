// The messenger's settings and the registry wrapper, against the real registry of the test prefix.
#include "settings/RegistrySettings.h"
#include "support/Registry.h"
#include <gtest/gtest.h>

namespace {

const std::wstring kDefaultPath = L"\\Program Files\\Ardeno\\Ardeno.exe";

struct Values {
    std::wstring installPath;
    std::wstring smsPrefix;
    DWORD configuredLines;
};

Values Loaded() {
    RegistrySettings settings;
    settings.Load();
    return {settings.installPath, settings.smsPrefix, settings.configuredLines};
}

}  // namespace

TEST(RegistrySettings, AbsentKeyGivesEveryDefault) {
    AbsentRegistryKey absent(TEST_PRODUCT_KEY);
    RegistrySettings settings;
    EXPECT_FALSE(settings.Load());
    EXPECT_EQ(std::wstring(settings.installPath), kDefaultPath);
    EXPECT_EQ(wcslen(settings.installPath), 32u);
    EXPECT_EQ(std::wstring(settings.smsPrefix), L"10658");
    EXPECT_EQ(settings.configuredLines, 3u);
}

TEST(RegistrySettings, StoredValuesAreRead) {
    ScopedRegistryKey key(TEST_PRODUCT_KEY);
    key.SetString(L"InstallPath", L"C:\\Apps\\Messenger.exe");
    key.SetString(L"SMSPrefix", L"95555");
    key.SetDword(L"HorTLines", 2);
    RegistrySettings settings;
    EXPECT_TRUE(settings.Load());
    EXPECT_EQ(std::wstring(settings.installPath), L"C:\\Apps\\Messenger.exe");
    EXPECT_EQ(std::wstring(settings.smsPrefix), L"95555");
    EXPECT_EQ(settings.configuredLines, 2u);
}

TEST(RegistrySettings, AbsentOrEmptyTextsFallBackToDefaults) {
    ScopedRegistryKey key(TEST_PRODUCT_KEY);
    key.SetString(L"SMSPrefix", L"");
    RegistrySettings settings;
    EXPECT_TRUE(settings.Load());  // the key exists, so the load counts as done
    EXPECT_EQ(std::wstring(settings.installPath), kDefaultPath);
    EXPECT_EQ(std::wstring(settings.smsPrefix), L"10658");
    key.SetString(L"InstallPath", L"");
    EXPECT_EQ(Loaded().installPath, kDefaultPath);
}

TEST(RegistrySettings, TextLimitIsTheBuffer) {
    ScopedRegistryKey key(TEST_PRODUCT_KEY);
    // 511 characters and the terminator fill the 1,024-byte buffer exactly.
    const std::wstring fits(511, L'p');
    key.SetString(L"InstallPath", fits);
    EXPECT_EQ(Loaded().installPath, fits);
    key.SetString(L"InstallPath", std::wstring(512, L'p'));
    EXPECT_EQ(Loaded().installPath, kDefaultPath);
}

TEST(RegistrySettings, LineCountTakesOnlyFourByteNumbers) {
    ScopedRegistryKey key(TEST_PRODUCT_KEY);
    key.SetDword(L"HorTLines", 0);
    EXPECT_EQ(Loaded().configuredLines, 0u);
    key.SetDword(L"HorTLines", 7);  // no range check
    EXPECT_EQ(Loaded().configuredLines, 7u);
    key.SetBytes(L"HorTLines", {1, 0, 0, 0, 0, 0, 0, 0}, REG_QWORD);
    EXPECT_EQ(Loaded().configuredLines, 3u);
    // Fewer than four bytes would leave part of the number unset: the default is used instead.
    key.SetBytes(L"HorTLines", {0x05, 0x00});
    EXPECT_EQ(Loaded().configuredLines, 3u);
    key.SetBytes(L"HorTLines", {0x05});
    EXPECT_EQ(Loaded().configuredLines, 3u);
}

TEST(RegistrySettings, ValueTypeIsNotExamined) {
    ScopedRegistryKey key(TEST_PRODUCT_KEY);
    key.SetBytes(L"HorTLines", {2, 0, 0, 0}, REG_BINARY);
    const wchar_t path[] = L"D:\\x.exe";
    key.SetBytes(
        L"InstallPath",
        std::vector<BYTE>(reinterpret_cast<const BYTE*>(path), reinterpret_cast<const BYTE*>(path) + sizeof(path)),
        REG_BINARY);
    Values settings = Loaded();
    EXPECT_EQ(settings.configuredLines, 2u);
    EXPECT_EQ(std::wstring(settings.installPath), L"D:\\x.exe");
}

TEST(RegistryKey, PathsWithLeadingBackslashOpen) {
    ScopedRegistryKey key(TEST_PRODUCT_KEY);
    RegistryKey wrapper;
    EXPECT_TRUE(wrapper.Open(L"\\Software\\Ulmara\\Ardeno\\"));
    wrapper.Close();
    EXPECT_FALSE(wrapper.IsOpen());
    wrapper.Close();  // twice is harmless
    EXPECT_FALSE(wrapper.Open(L"\\Software\\Ulmara\\NoSuchProduct\\"));
}

TEST(RegistryKey, ReadsWithoutAnOpenKeyGiveTheDefaults) {
    RegistryKey wrapper;
    EXPECT_EQ(wrapper.ReadDword(L"HorTLines", 42), 42u);
    wchar_t text[REGISTRY_TEXT_MAX_UNITS] = L"kept";
    EXPECT_FALSE(wrapper.ReadString(L"InstallPath", text));
    EXPECT_STREQ(text, L"kept");
}

TEST(RegistrySettings, OpenProductKeyKeepsAnOpenKey) {
    ScopedRegistryKey key(TEST_PRODUCT_KEY);
    key.SetString(L"InstallPath", L"C:\\a.exe");
    ScopedRegistryKey other(L"Software\\Ulmara\\Other");
    RegistrySettings settings;
    ASSERT_TRUE(settings.Open(L"\\Software\\Ulmara\\Other"));  // whatever key is open stays the one used
    EXPECT_TRUE(settings.OpenProductKey());
    wchar_t text[REGISTRY_TEXT_MAX_UNITS] = L"none";
    EXPECT_FALSE(settings.ReadString(L"InstallPath", text));
    EXPECT_STREQ(text, L"none");
}
