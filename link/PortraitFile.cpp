#include "PortraitFile.h"
#include "../kit/LinkWire.h"
#include "../platform/LocalFile.h"
#include "../platform/ScopedHandles.h"

namespace {

const WORD BITMAP_FILE_TYPE = 0x4D42;  // "BM"
const DWORD FILE_HEADER_BYTES = 14;
const DWORD CORE_HEADER_BYTES = 12;  // BITMAPCOREHEADER: 16-bit sides
// The file header, the info header's size and the two sides of a BITMAPINFOHEADER (or later).
const DWORD HEADS_READ_BYTES = FILE_HEADER_BYTES + 12;

DWORD Word(const BYTE* at) { return static_cast<DWORD>(at[0] | at[1] << 8); }
DWORD Dword(const BYTE* at) { return Word(at) | Word(at + 2) << 16; }

// A side as the header gives it, signed (a negative height is a top-down picture): within the bound. Compared
// as a 64-bit magnitude, so the most negative value cannot overflow.
bool SideWithin(LONGLONG side, bool mayBeNegative) {
    const LONGLONG magnitude = side < 0 && mayBeNegative ? -side : side;
    return magnitude > 0 && magnitude <= PORTRAIT_SIDE_MAX_PIXELS;
}

bool PictureWithinBounds(const BYTE* heads, DWORD read) {
    if (read < FILE_HEADER_BYTES + 8 || Word(heads) != BITMAP_FILE_TYPE) return false;
    const DWORD headerSize = Dword(heads + FILE_HEADER_BYTES);
    if (headerSize == CORE_HEADER_BYTES)
        return SideWithin(Word(heads + 18), false) && SideWithin(Word(heads + 20), false);
    if (headerSize < 40 || read < HEADS_READ_BYTES) return false;
    const LONG width = static_cast<LONG>(Dword(heads + 18));
    const LONG height = static_cast<LONG>(Dword(heads + 22));
    return SideWithin(width, false) && SideWithin(height, true);
}

}  // namespace

bool PortraitPathAccepted(const wchar_t* path) {
    const size_t root = PlatformLocalRootLength(path);
    if (root == 0) return false;
    for (const wchar_t* at = path + root; *at; ++at) {
        if (*at == L'*' || *at == L'?' || *at == L':') return false;
    }
    return true;
}

bool PortraitFileAccepted(const wchar_t* path) {
    WIN32_FILE_ATTRIBUTE_DATA attributes;
    if (!GetFileAttributesExW(path, GetFileExInfoStandard, &attributes)) return false;
    // Devices are told by the open handle below: the handheld gives the attribute bit desktop calls "device" to
    // files in its ROM.
    if (attributes.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) return false;
    if (attributes.nFileSizeHigh != 0 || attributes.nFileSizeLow > PORTRAIT_FILE_MAX_BYTES) return false;
    const HANDLE opened =
        CreateFileW(path, GENERIC_READ, FILE_SHARE_READ, NULL, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, NULL);
    if (opened == INVALID_HANDLE_VALUE) return false;
    KernelHandle file(opened);
    // Nothing is read from a pipe or a device, which may never answer.
    if (!PlatformIsDiskFile(file.get())) return false;
    BYTE heads[HEADS_READ_BYTES];
    DWORD read = 0;
    if (!ReadFile(file.get(), heads, sizeof(heads), &read, NULL)) return false;
    return PictureWithinBounds(heads, read);
}
