// The shell helper library's SHLoadDIBitmap (our aygshell.dll) reading portrait files: good bitmaps of every
// pixel size and row order load with their pixels; files that do not hold what their headers claim give null
// and leave no object behind. Files are written here from an independent description of the format.
#include "platform/aygshell.h"
#include "support/ScratchFiles.h"
#include "support/Surface.h"
#include "support/TestData.h"
#include <gtest/gtest.h>
#include <functional>

namespace {

constexpr int kWidth = 5, kHeight = 3;  // rows need padding at every pixel size

struct BitmapLayout {
    const char* name;
    WORD bits;
    bool topDown;
    DWORD headerSize;  // 12 core, 40 info, 108 V4, 124 V5
    bool bitFields;
};

// The eight colours every pixel size can hold exactly (each channel 0 or 255), as 0x00RRGGBB.
DWORD Corner(int i) { return (i & 4 ? 0xFF0000 : 0) | (i & 2 ? 0x00FF00 : 0) | (i & 1 ? 0x0000FF : 0); }
DWORD PaletteColour(int i) { return ((i * 37) & 0xFF) << 16 | ((i * 91) & 0xFF) << 8 | ((i * 53) & 0xFF); }
int PaletteSize(const BitmapLayout& layout) { return layout.bits <= 8 ? 1 << layout.bits : 0; }
int IndexAt(const BitmapLayout& layout, int x, int y) {
    return (x + 2 * y) % (layout.bits <= 8 ? PaletteSize(layout) : 8);
}

// The colour of pixel (x, y), row 0 at the top.
DWORD ExpectedColour(const BitmapLayout& layout, int x, int y) {
    int index = IndexAt(layout, x, y);
    return layout.bits <= 8 ? PaletteColour(index) : Corner(index);
}

void Put16(std::vector<BYTE>& bytes, DWORD value) {
    bytes.push_back(static_cast<BYTE>(value));
    bytes.push_back(static_cast<BYTE>(value >> 8));
}
void Put32(std::vector<BYTE>& bytes, DWORD value) {
    Put16(bytes, value & 0xFFFF);
    Put16(bytes, value >> 16);
}

std::vector<BYTE> PixelRow(const BitmapLayout& layout, int y) {
    std::vector<BYTE> row;
    DWORD accumulator = 0;
    int pending = 0;
    for (int x = 0; x < kWidth; ++x) {
        const int index = IndexAt(layout, x, y);
        const DWORD c = Corner(index);
        if (layout.bits <= 8) {
            accumulator = accumulator << layout.bits | index;
            pending += layout.bits;
            if (pending == 8) {
                row.push_back(static_cast<BYTE>(accumulator));
                accumulator = 0;
                pending = 0;
            }
        } else if (layout.bits == 16) {
            const DWORD r = c >> 16 & 1, g = c >> 8 & 1, b = c & 1;  // 5-6-5 with bit fields, else 5-5-5
            Put16(row,
                  layout.bitFields ? (r * 31) << 11 | (g * 63) << 5 | b * 31 : (r * 31) << 10 | (g * 31) << 5 | b * 31);
        } else {
            row.push_back(static_cast<BYTE>(c));
            row.push_back(static_cast<BYTE>(c >> 8));
            row.push_back(static_cast<BYTE>(c >> 16));
            if (layout.bits == 32) row.push_back(0);
        }
    }
    if (pending) row.push_back(static_cast<BYTE>(accumulator << (8 - pending)));
    while (row.size() % 4) row.push_back(0);
    return row;
}

std::vector<BYTE> BitmapBytes(const BitmapLayout& layout) {
    std::vector<BYTE> head;
    const bool core = layout.headerSize == 12;
    Put32(head, layout.headerSize);
    if (core) {
        Put16(head, kWidth);
        Put16(head, kHeight);
        Put16(head, 1);
        Put16(head, layout.bits);
    } else {
        Put32(head, kWidth);
        Put32(head, layout.topDown ? -kHeight : kHeight);
        Put16(head, 1);
        Put16(head, layout.bits);
        Put32(head, layout.bitFields ? BI_BITFIELDS : BI_RGB);
        head.resize(layout.headerSize, 0);  // sizes, resolution, colour counts 0; V4/V5 masks written below
    }
    std::vector<DWORD> masks;
    if (layout.bitFields)
        masks = layout.bits == 16 ? std::vector<DWORD>{0xF800, 0x07E0, 0x001F}
                                  : std::vector<DWORD>{0xFF0000, 0x00FF00, 0x0000FF};
    if (layout.bitFields && layout.headerSize > 40) {
        for (int i = 0; i < 3; ++i)
            for (int b = 0; b < 4; ++b) head[40 + 4 * i + b] = static_cast<BYTE>(masks[i] >> (8 * b));
    } else {
        for (DWORD mask : masks) Put32(head, mask);
    }
    for (int i = 0; i < PaletteSize(layout); ++i) {
        const DWORD c = PaletteColour(i);
        head.insert(head.end(), {static_cast<BYTE>(c), static_cast<BYTE>(c >> 8), static_cast<BYTE>(c >> 16)});
        if (!core) head.push_back(0);
    }
    std::vector<BYTE> pixels;
    for (int stored = 0; stored < kHeight; ++stored) {
        std::vector<BYTE> row = PixelRow(layout, layout.topDown ? stored : kHeight - 1 - stored);
        pixels.insert(pixels.end(), row.begin(), row.end());
    }
    std::vector<BYTE> file = {'B', 'M'};
    Put32(file, static_cast<DWORD>(14 + head.size() + pixels.size()));
    Put32(file, 0);
    Put32(file, static_cast<DWORD>(14 + head.size()));
    file.insert(file.end(), head.begin(), head.end());
    file.insert(file.end(), pixels.begin(), pixels.end());
    return file;
}

// What the bitmap holds, as 0x00RRGGBB, row 0 at the top.
std::vector<DWORD> PixelsOf(HBITMAP bitmap) {
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = kWidth;
    info.bmiHeader.biHeight = -kHeight;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    std::vector<DWORD> pixels(kWidth * kHeight);
    HDC screen = GetDC(nullptr);
    GetDIBits(screen, bitmap, 0, kHeight, pixels.data(), &info, DIB_RGB_COLORS);
    ReleaseDC(nullptr, screen);
    for (DWORD& p : pixels) p &= 0xFFFFFF;
    return pixels;
}

const BitmapLayout kGoodBitmaps[] = {
    {"1-bit", 1, false, 40, false},
    {"1-bit top-down", 1, true, 40, false},
    {"4-bit", 4, false, 40, false},
    {"4-bit top-down", 4, true, 40, false},
    {"8-bit", 8, false, 40, false},
    {"8-bit top-down", 8, true, 40, false},
    {"16-bit", 16, false, 40, false},
    {"16-bit top-down", 16, true, 40, false},
    {"24-bit", 24, false, 40, false},
    {"24-bit top-down", 24, true, 40, false},
    {"32-bit", 32, false, 40, false},
    {"32-bit top-down", 32, true, 40, false},
    {"16-bit bit fields", 16, false, 40, true},
    {"32-bit bit fields top-down", 32, true, 40, true},
    {"8-bit core header", 8, false, 12, false},
    {"24-bit core header", 24, false, 12, false},
    {"32-bit V4 header bit fields", 32, false, 108, true},
    {"24-bit V5 header top-down", 24, true, 124, false},
};

class BitmapFiles : public ::testing::Test {
protected:
    ~BitmapFiles() override { DeleteFileW(path.c_str()); }
    const std::wstring path = TemporaryFile(L"portrait.bmp");
};

TEST_F(BitmapFiles, GoodFilesOfEveryPixelSizeAndRowOrderLoadWithTheirPixels) {
    for (const BitmapLayout& layout : kGoodBitmaps) {
        SCOPED_TRACE(layout.name);
        ASSERT_TRUE(WriteFileBytes(path, BitmapBytes(layout)));
        HBITMAP bitmap = SHLoadDIBitmap(path.c_str());
        ASSERT_NE(bitmap, nullptr);
        BITMAP info = {};
        GetObjectW(bitmap, sizeof(info), &info);
        EXPECT_EQ(info.bmWidth, kWidth);
        EXPECT_EQ(info.bmHeight, kHeight);
        std::vector<DWORD> expected;
        for (int y = 0; y < kHeight; ++y)
            for (int x = 0; x < kWidth; ++x) expected.push_back(ExpectedColour(layout, x, y));
        EXPECT_EQ(PixelsOf(bitmap), expected);
        DeleteObject(bitmap);
    }
}

// A broken variant of the 8-bit bottom-up file: a change to its bytes, or other content altogether.
struct BrokenFile {
    const char* name;
    std::function<void(std::vector<BYTE>&)> breakIt;
};

void SetDword(std::vector<BYTE>& bytes, size_t at, DWORD value) {
    for (int b = 0; b < 4; ++b) bytes[at + b] = static_cast<BYTE>(value >> (8 * b));
}
void SetWord(std::vector<BYTE>& bytes, size_t at, WORD value) {
    bytes[at] = static_cast<BYTE>(value);
    bytes[at + 1] = static_cast<BYTE>(value >> 8);
}
// Offsets in the file: info header at 14, width 18, height 22, planes 26, bit count 28, compression 30,
// colours used 46, palette from 54; pixel offset at 10.
const BrokenFile kBrokenFiles[] = {
    {"empty", [](auto& b) { b.clear(); }},
    {"20 bytes", [](auto& b) { b.resize(20); }},
    {"PNG",
     [](auto& b) {
         b.assign({0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n', 0, 0, 0, 13, 'I', 'H', 'D', 'R'});
     }},
    {"text",
     [](auto& b) {
         b.assign({'n', 'o', 't', ' ', 'a', ' ', 'b', 'i', 't', 'm', 'a', 'p'});
     }},
    {"wrong type", [](auto& b) { b[1] = 'A'; }},
    {"negative width", [](auto& b) { SetDword(b, 18, static_cast<DWORD>(-kWidth)); }},
    {"zero width", [](auto& b) { SetDword(b, 18, 0); }},
    {"zero height", [](auto& b) { SetDword(b, 22, 0); }},
    {"most negative height", [](auto& b) { SetDword(b, 22, 0x80000000); }},
    {"two planes", [](auto& b) { SetWord(b, 26, 2); }},
    {"7 bits a pixel", [](auto& b) { SetWord(b, 28, 7); }},
    {"0 bits a pixel", [](auto& b) { SetWord(b, 28, 0); }},
    {"run-length compressed", [](auto& b) { SetDword(b, 30, BI_RLE8); }},
    {"JPEG compressed", [](auto& b) { SetDword(b, 30, BI_JPEG); }},
    {"bit fields at 8 bits", [](auto& b) { SetDword(b, 30, BI_BITFIELDS); }},
    {"unknown header size", [](auto& b) { SetDword(b, 14, 20); }},
    {"header longer than the file",
     [](auto& b) {
         SetDword(b, 14, 124);
         b.resize(60);
     }},
    {"more colours than 8 bits hold", [](auto& b) { SetDword(b, 46, 257); }},
    {"palette past the end", [](auto& b) { b.resize(54 + 100); }},
    {"pixel offset inside the palette", [](auto& b) { SetDword(b, 10, 54 + 16); }},
    {"pixel offset past the end", [](auto& b) { SetDword(b, 10, static_cast<DWORD>(b.size() + 4)); }},
    {"pixel offset near 4 GB", [](auto& b) { SetDword(b, 10, 0xFFFFFFF0); }},
    {"pixels one byte short", [](auto& b) { b.pop_back(); }},
    {"huge size in a small file",
     [](auto& b) {
         SetDword(b, 18, 100000);
         SetDword(b, 22, 100000);
     }},
};

TEST_F(BitmapFiles, FilesThatDoNotHoldWhatTheyClaimAreRefusedAndCostNothing) {
    const std::vector<BYTE> good = BitmapBytes({"8-bit", 8, false, 40, false});
    for (const BrokenFile& broken : kBrokenFiles) {
        SCOPED_TRACE(broken.name);
        std::vector<BYTE> bytes = good;
        broken.breakIt(bytes);
        ASSERT_TRUE(WriteFileBytes(path, bytes));
        const int objects = CountGdiObjects();
        EXPECT_EQ(SHLoadDIBitmap(path.c_str()), nullptr);
        EXPECT_EQ(CountGdiObjects(), objects);
    }
}

TEST_F(BitmapFiles, ProbedFilesMissingPathsAndFoldersAreRefused) {
    wchar_t folder[MAX_PATH];
    GetTempPathW(MAX_PATH, folder);
    const std::wstring paths[] = {TestDataFile(L"portrait-truncated.bmp"),
                                  TestDataFile(L"portrait-offbits-past-end.bmp"), TemporaryFile(L"missing.bmp"), folder,
                                  L""};
    // The probe files are what they claim up to their pixels: only their sizes are wrong.
    ASSERT_NE(GetFileAttributesW(paths[0].c_str()), INVALID_FILE_ATTRIBUTES) << "missing test input";
    for (const std::wstring& file : paths) {
        SCOPED_TRACE(std::string(file.begin(), file.end()));
        const int objects = CountGdiObjects();
        EXPECT_EQ(SHLoadDIBitmap(file.c_str()), nullptr);
        EXPECT_EQ(CountGdiObjects(), objects);
    }
    EXPECT_EQ(SHLoadDIBitmap(nullptr), nullptr);
}

}  // namespace
