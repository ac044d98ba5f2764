#include "BitmapFile.h"

// No C++ runtime here: the shell helper library stays a plain DLL.

namespace {

constexpr WORD kBitmapFileType = 0x4D42;  // "BM"
constexpr DWORD kFileHeaderSize = 14;
constexpr DWORD kCoreHeaderSize = 12;      // BITMAPCOREHEADER
constexpr DWORD kInfoHeaderSize = 40;      // BITMAPINFOHEADER
constexpr DWORD kLargestHeaderSize = 124;  // BITMAPV5HEADER
constexpr DWORD kBitFieldMasksSize = 12;   // three DWORD masks after a BITMAPINFOHEADER

// Everything in front of the pixels: the info header, the bit-field masks, the palette.
struct BitmapHead {
    BYTE bytes[kLargestHeaderSize + kBitFieldMasksSize + 256 * sizeof(RGBQUAD)];
    DWORD size;
};

WORD Word(const BYTE* at) { return static_cast<WORD>(at[0] | at[1] << 8); }
DWORD Dword(const BYTE* at) { return Word(at) | static_cast<DWORD>(Word(at + 2)) << 16; }

bool ReadAt(HANDLE file, ULONGLONG offset, void* buffer, DWORD count) {
    LARGE_INTEGER position;
    position.QuadPart = static_cast<LONGLONG>(offset);
    DWORD read = 0;
    return SetFilePointerEx(file, position, nullptr, FILE_BEGIN) && ReadFile(file, buffer, count, &read, nullptr) &&
           read == count;
}

bool IsKnownHeaderSize(DWORD size) {
    // Core, info, V2 (RGB masks), V3 (and alpha), V4, V5.
    return size == kCoreHeaderSize || size == kInfoHeaderSize || size == 52 || size == 56 || size == 108 ||
           size == kLargestHeaderSize;
}

bool IsPixelSize(DWORD bitCount) {
    return bitCount == 1 || bitCount == 4 || bitCount == 8 || bitCount == 16 || bitCount == 24 || bitCount == 32;
}

// Reads and checks the headers; fills `head` with what CreateDIBSection needs and tells where the pixels are.
bool ReadHead(HANDLE file, ULONGLONG fileSize, BitmapHead& head, ULONGLONG& pixelOffset, ULONGLONG& pixelBytes) {
    BYTE fileHeader[kFileHeaderSize + sizeof(DWORD)];
    if (fileSize < sizeof(fileHeader) || !ReadAt(file, 0, fileHeader, sizeof(fileHeader))) return false;
    if (Word(fileHeader) != kBitmapFileType) return false;
    pixelOffset = Dword(fileHeader + 10);
    const DWORD headerSize = Dword(fileHeader + kFileHeaderSize);
    if (!IsKnownHeaderSize(headerSize) || kFileHeaderSize + headerSize > fileSize) return false;
    if (!ReadAt(file, kFileHeaderSize, head.bytes, headerSize)) return false;

    const BYTE* h = head.bytes;
    LONGLONG width, height;
    DWORD planes, bitCount, compression = BI_RGB, colorsUsed = 0, entrySize = sizeof(RGBQUAD);
    if (headerSize == kCoreHeaderSize) {
        width = Word(h + 4);
        height = Word(h + 6);
        planes = Word(h + 8);
        bitCount = Word(h + 10);
        entrySize = sizeof(RGBTRIPLE);
    } else {
        width = static_cast<LONG>(Dword(h + 4));
        height = static_cast<LONG>(Dword(h + 8));
        planes = Word(h + 12);
        bitCount = Word(h + 14);
        compression = Dword(h + 16);
        colorsUsed = Dword(h + 32);
    }
    if (width <= 0 || height == 0 || planes != 1 || !IsPixelSize(bitCount)) return false;
    // Run-length, JPEG and PNG pixels are not loaded; bit fields only describe 16- and 32-bit pixels.
    const bool bitFields = compression == BI_BITFIELDS;
    if (compression != BI_RGB && !(bitFields && (bitCount == 16 || bitCount == 32))) return false;

    const DWORD paletteLimit = bitCount <= 8 ? 1u << bitCount : 256;
    if (colorsUsed > paletteLimit) return false;
    const DWORD paletteEntries = colorsUsed ? colorsUsed : (bitCount <= 8 ? paletteLimit : 0);
    const DWORD masksSize = bitFields && headerSize == kInfoHeaderSize ? kBitFieldMasksSize : 0;
    head.size = headerSize + masksSize + paletteEntries * entrySize;
    // The palette (and masks) lie between the headers and the pixels, inside the file.
    if (kFileHeaderSize + head.size > pixelOffset) return false;
    if (!ReadAt(file, kFileHeaderSize + headerSize, head.bytes + headerSize, head.size - headerSize)) return false;

    // Every row whole, inside the file after the pixel offset (compared so that nothing overflows).
    const ULONGLONG rows = static_cast<ULONGLONG>(height < 0 ? -height : height);
    const ULONGLONG stride = (static_cast<ULONGLONG>(width) * bitCount + 31) / 32 * 4;
    if (pixelOffset > fileSize || rows > (fileSize - pixelOffset) / stride) return false;
    pixelBytes = stride * rows;
    return pixelBytes <= MAXDWORD;
}

}  // namespace

HBITMAP LoadBitmapFile(LPCWSTR path) {
    if (!path || !*path) return nullptr;
    HANDLE file =
        CreateFileW(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return nullptr;
    HBITMAP bitmap = nullptr;
    LARGE_INTEGER size;
    BitmapHead head;
    ULONGLONG pixelOffset = 0, pixelBytes = 0;
    if (GetFileSizeEx(file, &size) &&
        ReadHead(file, static_cast<ULONGLONG>(size.QuadPart), head, pixelOffset, pixelBytes)) {
        void* bits = nullptr;
        bitmap = CreateDIBSection(nullptr, reinterpret_cast<const BITMAPINFO*>(head.bytes), DIB_RGB_COLORS, &bits,
                                  nullptr, 0);
        // The pixels are read straight into the bitmap: what was checked is what is shown.
        if (bitmap && (!bits || !ReadAt(file, pixelOffset, bits, static_cast<DWORD>(pixelBytes)))) {
            DeleteObject(bitmap);
            bitmap = nullptr;
        }
    }
    CloseHandle(file);
    return bitmap;
}
