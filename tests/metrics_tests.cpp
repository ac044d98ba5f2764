// Font and line metrics from the system font-size setting and the screen resolution, and the icon sizes.
// Suites named HighDpi* run only in the prefixes whose screen reports 192 or 131 dots per inch.
#include "render/ItemIcons.h"
#include "render/Metrics.h"
#include "settings/SystemFontSize.h"
#include "support/ItemHarness.h"
#include "support/Registry.h"
#include <gtest/gtest.h>

namespace {

struct SettingCase {
    DWORD stored;
    int fontHeight;
    int lineHeight;
};

LineMetrics ScreenMetricsFor(DWORD stored) {
    ScopedRegistryKey key(TEST_FONT_SIZE_KEY);
    key.SetDword(L"CurFont", stored);
    return ComputeLineMetrics(ReadSystemFontSize(), ScreenScale());
}

void ExpectSettingTable(const std::vector<SettingCase>& table) {
    for (const SettingCase& c : table) {
        SCOPED_TRACE(c.stored);
        LineMetrics metrics = ScreenMetricsFor(c.stored);
        EXPECT_EQ(metrics.fontHeight, c.fontHeight);
        EXPECT_EQ(metrics.lineHeight, c.lineHeight);
    }
}

SIZE IconSize(HICON icon) {
    ICONINFO info = {};
    if (!icon || !GetIconInfo(icon, &info)) return {0, 0};
    BITMAP bitmap = {};
    GetObjectW(info.hbmColor ? info.hbmColor : info.hbmMask, sizeof(bitmap), &bitmap);
    if (info.hbmColor) DeleteObject(info.hbmColor);
    if (info.hbmMask) DeleteObject(info.hbmMask);
    return {bitmap.bmWidth, info.hbmColor ? bitmap.bmHeight : bitmap.bmHeight / 2};
}

// Every one of the five icons loads, at side x side pixels.
void ExpectIconsOfSide(int side) {
    ItemDll dll;
    ASSERT_NE(dll.module, nullptr);
    ItemIcons icons(dll.module);
    icons.LoadIcons();
    for (HICON icon : {icons.appIcon.get(), icons.nextArrow.get(), icons.nextArrowHighlighted.get(),
                       icons.prevArrow.get(), icons.prevArrowHighlighted.get()}) {
        SIZE size = IconSize(icon);
        EXPECT_EQ(size.cx, side);
        EXPECT_EQ(size.cy, side);
    }
    icons.ReleaseIcons();
    EXPECT_EQ(icons.appIcon.get(), nullptr);
    EXPECT_EQ(icons.prevArrowHighlighted.get(), nullptr);
    icons.ReleaseIcons();  // a second release finds nothing to do
}

}  // namespace

TEST(FontSizeSetting, OutOfRangeValuesAreClampedAsUnsignedNumbers) {
    const std::vector<std::pair<DWORD, DWORD>> table = {
        {500, 500}, {499, 500}, {0, 500}, {1200, 1200}, {1201, 1200}, {0xFFFFFFFF, 1200}, {0x80000000, 1200}};
    for (const auto& [stored, read] : table) {
        ScopedRegistryKey key(TEST_FONT_SIZE_KEY);
        key.SetDword(L"CurFont", stored);
        EXPECT_EQ(ReadSystemFontSize(), read) << "stored " << stored;
    }
}

TEST(FontSizeSetting, MissingKeyOrValueGivesTheDefault) {
    {
        AbsentRegistryKey absent(TEST_FONT_SIZE_KEY);
        EXPECT_EQ(ReadSystemFontSize(), 900u);
    }
    ScopedRegistryKey key(TEST_FONT_SIZE_KEY);
    key.SetDword(L"OtherValue", 1100);
    EXPECT_EQ(ReadSystemFontSize(), 900u);
}

TEST(LineMetrics, SettingsAtNinetySixDpi) {
    ASSERT_EQ(ScreenDeviceCaps(LOGPIXELSY), 96);
    ExpectSettingTable({{900, 12, 20}, {500, 6, 20}, {1049, 13, 20}, {1050, 14, 24}, {1200, 16, 24}});
}

TEST(ItemIcons, SixteenPixelsAtNinetySixDpi) {
    ASSERT_EQ(ScreenDeviceCaps(LOGPIXELSX), 96);
    ExpectIconsOfSide(16);
}

// The paint takes the setting from the registry and the resolution from its surface; the host then
// learns the new line height at its next refresh query.
TEST(LineMetrics, EachPaintReadsTheSettingAgain) {
    ScopedRegistryKey key(TEST_FONT_SIZE_KEY);
    key.SetDword(L"CurFont", 1050);
    LoadedItem item;
    ASSERT_NE(item.item, nullptr);
    for (auto [setting, height] : {std::pair<DWORD, DWORD>{1050, 24}, {1049, 20}, {1200, 24}}) {
        key.SetDword(L"CurFont", setting);
        item.Repaint();
        EXPECT_EQ(item.Height(), height) << "setting " << setting;
    }
}

// The key the item keeps open for its paints may be deleted and made again: the next paint still reads it.
TEST(LineMetrics, ARemadeKeyStillReachesTheNextPaint) {
    LoadedItem item;
    ASSERT_NE(item.item, nullptr);
    // Large settings only: a stale key read as the default (900) would give 20-pixel lines.
    for (auto [setting, height] : {std::pair<DWORD, DWORD>{1050, 24}, {1200, 24}, {1100, 24}}) {
        ScopedRegistryKey key(TEST_FONT_SIZE_KEY);  // deleted, made again, and deleted at the end
        key.SetDword(L"CurFont", setting);
        item.Repaint();
        EXPECT_EQ(item.Height(), height) << "setting " << setting;
    }
}

// In the prefixes whose screens report 131 and 192 dpi: the line heights, the threshold between them and the
// icons grow with the screen; the icons take the held size nearest to 16 scaled (22 at 131 dpi takes 24).
struct ScaledScreen {
    int dpi;
    int iconSide;
    std::vector<SettingCase> settings;  // around the threshold, and both ends
};

TEST(HighDpi, MetricsAndIconsGrowWithTheScreen) {
    const ScaledScreen screens[] = {
        {131, 24, {{500, 9, 27}, {900, 16, 27}, {935, 17, 27}, {990, 18, 33}, {1200, 21, 33}}},
        {192, 32, {{500, 13, 40}, {900, 24, 40}, {1012, 26, 40}, {1013, 27, 48}, {1200, 32, 48}}},
    };
    const int dpi = ScreenDeviceCaps(LOGPIXELSY);
    EXPECT_EQ(ScreenDeviceCaps(LOGPIXELSX), dpi);
    const ScaledScreen* screen = nullptr;
    for (const ScaledScreen& s : screens)
        if (s.dpi == dpi) screen = &s;
    ASSERT_NE(screen, nullptr) << "no expectations for " << dpi << " dpi";
    ExpectSettingTable(screen->settings);
    ExpectIconsOfSide(screen->iconSide);
}
