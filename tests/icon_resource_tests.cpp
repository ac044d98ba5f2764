// The item's icons as the module carries them: a 16 x 16, a 24 x 24 and a 32 x 32 picture, each at 32 bits and
// at 8 (application icon) or 24 bits (arrows) with its mask, and each held picture itself, not an enlarged
// 16 x 16, where the item asks for its size (24 from 123 to 170 dpi, 32 above; the handheld does not stretch
// icons).
#include "resources/resource.h"
#include "support/ItemHarness.h"
#include "support/Surface.h"
#include <gtest/gtest.h>
#include <vector>

namespace {

constexpr COLORREF kBackground = RGB(0x40, 0x80, 0x40);  // shows through where an icon is transparent
constexpr COLORREF kBlue = RGB(0x1E, 0x6F, 0xD9);
constexpr COLORREF kWhite = RGB(0xFF, 0xFF, 0xFF);
constexpr COLORREF kOrange = RGB(0xFF, 0x8C, 0x00);
constexpr COLORREF kBrown = RGB(0x5C, 0x33, 0x17);

const struct {
    int id;
    int fewerBits;
    std::vector<COLORREF> colours;
} kIcons[] = {
    {IDI_APP, 8, {kBlue, kWhite}},   {IDI_PREV_ARROW, 24, {kOrange}},    {IDI_PREV_ARROW_LIT, 24, {kBrown}},
    {IDI_NEXT_ARROW, 24, {kOrange}}, {IDI_NEXT_ARROW_LIT, 24, {kBrown}},
};

#pragma pack(push, 2)
struct GroupIconEntry {
    BYTE width, height, colourCount, reserved;
    WORD planes, bitCount;
    DWORD bytes;
    WORD id;
};
#pragma pack(pop)

struct IconImage {
    int side;
    int bits;
    Capture drawn;
};

Capture Drawn(HICON icon, int side) {
    Surface surface(side, side, kBackground);
    DrawIconEx(surface.dc(), 0, 0, icon, 0, 0, 0, nullptr, DI_NORMAL);
    return surface.Pixels();
}

// Every picture of an icon resource as its group directory lists it, each drawn at its own size.
std::vector<IconImage> ImagesOf(HMODULE module, int groupId) {
    std::vector<IconImage> images;
    HRSRC group = FindResourceW(module, MAKEINTRESOURCEW(groupId), RT_GROUP_ICON);
    if (!group) return images;
    const BYTE* directory = static_cast<const BYTE*>(LockResource(LoadResource(module, group)));
    const WORD count = reinterpret_cast<const WORD*>(directory)[2];
    const auto* entries = reinterpret_cast<const GroupIconEntry*>(directory + 6);
    for (WORD i = 0; i < count; ++i) {
        const int side = entries[i].width ? entries[i].width : 256;
        HRSRC image = FindResourceW(module, MAKEINTRESOURCEW(entries[i].id), RT_ICON);
        HICON icon = CreateIconFromResourceEx(static_cast<BYTE*>(LockResource(LoadResource(module, image))),
                                              SizeofResource(module, image), TRUE, 0x00030000, side, side, 0);
        images.push_back({side, entries[i].bitCount, icon ? Drawn(icon, side) : Capture{}});
        if (icon) DestroyIcon(icon);
    }
    return images;
}

const IconImage* Find(const std::vector<IconImage>& images, int side, int bits) {
    for (const IconImage& image : images)
        if (image.side == side && image.bits == bits) return &image;
    return nullptr;
}

// An enlarged 16 x 16 picture is made of 2 x 2 blocks of one colour each.
bool HasDetailFinerThanTwoPixels(const Capture& picture) {
    for (int y = 0; y + 1 < picture.height; y += 2)
        for (int x = 0; x + 1 < picture.width; x += 2) {
            const COLORREF c = picture.At(x, y);
            if (picture.At(x + 1, y) != c || picture.At(x, y + 1) != c || picture.At(x + 1, y + 1) != c) return true;
        }
    return false;
}

}  // namespace

TEST(IconResources, EachHoldsEverySizeAtTwoDepthsShowingOnePicture) {
    ItemDll dll;
    ASSERT_NE(dll.module, nullptr);
    for (const auto& icon : kIcons) {
        SCOPED_TRACE(icon.id);
        const std::vector<IconImage> images = ImagesOf(dll.module, icon.id);
        EXPECT_EQ(images.size(), 6u);
        for (int side : {16, 24, 32}) {
            const IconImage* full = Find(images, side, 32);
            const IconImage* fewer = Find(images, side, icon.fewerBits);
            ASSERT_TRUE(full && fewer) << side << " x " << side;
            ASSERT_EQ(full->drawn.width, side);
            EXPECT_EQ(full->drawn.At(0, 0), kBackground) << "the corner is transparent";
            for (COLORREF colour : icon.colours) EXPECT_GT(full->drawn.Count({0, 0, side, side}, colour), 0);
            EXPECT_TRUE(full->drawn.pixels == fewer->drawn.pixels)
                << "the " << icon.fewerBits << "-bit picture differs";
        }
    }
}

TEST(IconResources, AskedForAtALargerSizeTheHeldPictureComesUnstretched) {
    ItemDll dll;
    ASSERT_NE(dll.module, nullptr);
    for (const auto& icon : kIcons)
        for (int side : {24, 32}) {
            SCOPED_TRACE(std::to_string(icon.id) + " at " + std::to_string(side));
            HICON loaded =
                static_cast<HICON>(LoadImageW(dll.module, MAKEINTRESOURCEW(icon.id), IMAGE_ICON, side, side, 0));
            ASSERT_NE(loaded, nullptr);
            ICONINFO info = {};
            ASSERT_TRUE(GetIconInfo(loaded, &info));
            BITMAP colour = {};
            GetObjectW(info.hbmColor, sizeof(colour), &colour);
            DeleteObject(info.hbmColor);
            DeleteObject(info.hbmMask);
            EXPECT_EQ(colour.bmWidth, side);
            EXPECT_EQ(colour.bmHeight, side);

            const Capture drawn = Drawn(loaded, side);
            DestroyIcon(loaded);
            const std::vector<IconImage> images = ImagesOf(dll.module, icon.id);
            const IconImage* own = Find(images, side, 32);
            ASSERT_NE(own, nullptr);
            EXPECT_TRUE(drawn.pixels == own->drawn.pixels) << "not the module's own picture of that size";
            EXPECT_TRUE(side != 32 || HasDetailFinerThanTwoPixels(drawn)) << "an enlarged 16 x 16 picture";
        }
}
