#include "ItemImports.h"
#include "HandheldRules.h"
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <vector>

namespace {

const wchar_t* itemModuleName = nullptr;
const BYTE* itemStart = nullptr;
const BYTE* itemEnd = nullptr;
unsigned calls = 0;
unsigned failFirst = 0, failCount = 0;
const char* failName = nullptr;
DWORD failNameError = 0;
std::map<HLOCAL, size_t> liveBlocks;  // the item's, with the bytes asked for
size_t liveBytes = 0, peakBytes = 0;
std::vector<const char*> counted;  // the name of each call counted
bool installed = false;
bool rulesOn = false;
std::vector<std::string> violations;

bool FromItem(const void* returnAddress) {
    if (!itemStart) {
        HMODULE item = GetModuleHandleW(itemModuleName);
        if (!item) return false;
        const BYTE* base = reinterpret_cast<const BYTE*>(item);
        const auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS*>(
            base + reinterpret_cast<const IMAGE_DOS_HEADER*>(base)->e_lfanew);
        itemStart = base;
        itemEnd = base + nt->OptionalHeader.SizeOfImage;
    }
    const BYTE* at = static_cast<const BYTE*>(returnAddress);
    return at >= itemStart && at < itemEnd;
}

// Counts the item's call and tells whether it fails.
bool Short(const void* returnAddress, const char* name) {
    if (!FromItem(returnAddress)) return false;
    ++calls;
    counted.push_back(name);
    if (failName && strcmp(failName, name) == 0) {
        SetLastError(failNameError);
        return true;
    }
    if (failCount == 0 || calls < failFirst || calls - failFirst >= failCount) return false;
    SetLastError(ERROR_NOT_ENOUGH_MEMORY);
    return true;
}

// Records the item's call that broke its row's rule: the call, the argument, the rule and its page.
void Broke(const char* call, const std::string& argument) {
    const HandheldRule* rule = HandheldRuleFor(call);
    violations.push_back(std::string(call) + "(" + argument + ") breaks the handheld's rule: " +
                         (rule ? rule->rule : "?") + " [" + (rule ? rule->page : "no row") + "]");
}

// True for the item's own calls while the rules hold.
bool Ruled(const void* returnAddress) { return rulesOn && FromItem(returnAddress); }

std::string Hex(unsigned long value) {
    char text[16];
    snprintf(text, sizeof(text), "0x%lX", value);
    return text;
}

}  // namespace

// One stand-in per function: the real one (from before the rewrite), and the stand-in, which fails with the
// platform's answer to a shortage (null or 0) for the item's calls in the window and calls the real one otherwise.
#define STAND_IN(convention, type, name, parameters, arguments)               \
    type(convention* real##name) parameters = nullptr;                         \
    type convention StandIn##name parameters {                                 \
        if (Short(__builtin_return_address(0), #name)) return (type)0;        \
        return real##name arguments;                                           \
    }

STAND_IN(WINAPI, HANDLE, CreateFileMappingW,
         (HANDLE file, LPSECURITY_ATTRIBUTES security, DWORD protect, DWORD high, DWORD low, LPCWSTR name),
         (file, security, protect, high, low, name))
STAND_IN(WINAPI, LPVOID, MapViewOfFile, (HANDLE mapping, DWORD access, DWORD high, DWORD low, SIZE_T bytes),
         (mapping, access, high, low, bytes))
STAND_IN(WINAPI, HANDLE, CreateEventW, (LPSECURITY_ATTRIBUTES security, BOOL manual, BOOL initial, LPCWSTR name),
         (security, manual, initial, name))
STAND_IN(WINAPI, HWND, CreateWindowExW,
         (DWORD exStyle, LPCWSTR className, LPCWSTR name, DWORD style, int x, int y, int width, int height, HWND parent,
          HMENU menu, HINSTANCE instance, LPVOID parameter),
         (exStyle, className, name, style, x, y, width, height, parent, menu, instance, parameter))
STAND_IN(WINAPI, ATOM, RegisterClassW, (const WNDCLASSW* windowClass), (windowClass))
STAND_IN(WINAPI, UINT_PTR, SetTimer, (HWND window, UINT_PTR id, UINT elapse, TIMERPROC procedure),
         (window, id, elapse, procedure))
STAND_IN(WINAPI, HANDLE, LoadImageW, (HINSTANCE instance, LPCWSTR name, UINT type, int width, int height, UINT flags),
         (instance, name, type, width, height, flags))
STAND_IN(WINAPI, HDC, GetDC, (HWND window), (window))
STAND_IN(WINAPI, HDC, CreateCompatibleDC, (HDC dc), (dc))
STAND_IN(WINAPI, HBITMAP, CreateCompatibleBitmap, (HDC dc, int width, int height), (dc, width, height))
STAND_IN(WINAPI, HFONT, CreateFontIndirectW, (const LOGFONTW* font), (font))
STAND_IN(WINAPI, HBRUSH, CreateSolidBrush, (COLORREF color), (color))
STAND_IN(WINAPI, BOOL, GetIconInfo, (HICON icon, PICONINFO info), (icon, info))
STAND_IN(WINAPI, HBITMAP, SHLoadDIBitmap, (LPCWSTR path), (path))
STAND_IN(__cdecl, void*, malloc, (size_t bytes), (bytes))
STAND_IN(__cdecl, void*, calloc, (size_t count, size_t bytes), (count, bytes))
STAND_IN(__cdecl, void*, realloc, (void* block, size_t bytes), (block, bytes))

// Held to the handheld's rules as well as failing when memory is short. A DIB format the handheld refuses fails.
HBITMAP(WINAPI* realCreateDIBSection)(HDC, const BITMAPINFO*, UINT, void**, HANDLE, DWORD) = nullptr;
HBITMAP WINAPI StandInCreateDIBSection(HDC dc, const BITMAPINFO* info, UINT usage, void** bits, HANDLE section,
                                       DWORD offset) {
    const void* caller = __builtin_return_address(0);
    if (Short(caller, "CreateDIBSection")) return nullptr;
    if (Ruled(caller) && info) {
        const BITMAPINFOHEADER& header = info->bmiHeader;
        std::string refused;
        if ((header.biBitCount == 16 || header.biBitCount == 32) && header.biCompression != BI_BITFIELDS)
            refused = std::to_string(header.biBitCount) + " bits, biCompression " + std::to_string(header.biCompression);
        else if (usage == DIB_PAL_COLORS && header.biBitCount != 8)
            refused = "DIB_PAL_COLORS at " + std::to_string(header.biBitCount) + " bits";
        else if (section || offset)
            refused = "hSection " + Hex(reinterpret_cast<UINT_PTR>(section)) + ", dwOffset " + std::to_string(offset);
        if (!refused.empty()) {
            Broke("CreateDIBSection", refused);
            if (bits) *bits = nullptr;
            SetLastError(ERROR_INVALID_PARAMETER);
            return nullptr;
        }
    }
    return realCreateDIBSection(dc, info, usage, bits, section, offset);
}

HPEN(WINAPI* realCreatePen)(int, int, COLORREF) = nullptr;
HPEN WINAPI StandInCreatePen(int style, int width, COLORREF color) {
    const void* caller = __builtin_return_address(0);
    if (Short(caller, "CreatePen")) return nullptr;
    if (Ruled(caller) && style != PS_SOLID && style != PS_NULL && !(style == PS_DASH && width <= 1))
        Broke("CreatePen", "style " + std::to_string(style) + ", width " + std::to_string(width));
    return realCreatePen(style, width, color);
}

// The handheld fills the extents only for the characters that fit: the rest hold a value no text measures.
BOOL(WINAPI* realGetTextExtentExPointW)(HDC, LPCWSTR, int, int, LPINT, LPINT, LPSIZE) = nullptr;
BOOL WINAPI StandInGetTextExtentExPointW(HDC dc, LPCWSTR text, int count, int maxExtent, LPINT fit, LPINT extents,
                                         LPSIZE size) {
    const BOOL measured = realGetTextExtentExPointW(dc, text, count, maxExtent, fit, extents, size);
    if (measured && extents && Ruled(__builtin_return_address(0))) {
        const int kPoison = 0x3FFFFFFF;
        for (int i = fit ? (*fit < 0 ? 0 : *fit) : 0; i < count; ++i) extents[i] = kPoison;
    }
    return measured;
}

LONG(WINAPI* realRegOpenKeyExW)(HKEY, LPCWSTR, DWORD, REGSAM, PHKEY) = nullptr;
LONG WINAPI StandInRegOpenKeyExW(HKEY root, LPCWSTR subKey, DWORD options, REGSAM access, PHKEY result) {
    if (Ruled(__builtin_return_address(0))) {
        if (options != 0) Broke("RegOpenKeyExW", "ulOptions " + Hex(options));
        if (access != KEY_READ) Broke("RegOpenKeyExW", "samDesired " + Hex(access));
        if (root == HKEY_CURRENT_CONFIG || root == HKEY_PERFORMANCE_DATA || root == HKEY_DYN_DATA)
            Broke("RegOpenKeyExW", "hKey " + Hex(reinterpret_cast<UINT_PTR>(root)));
    }
    return realRegOpenKeyExW(root, subKey, options, access, result);
}

int(WINAPI* realSetStretchBltMode)(HDC, int) = nullptr;
int WINAPI StandInSetStretchBltMode(HDC dc, int mode) {
    if (Ruled(__builtin_return_address(0)) && mode != HALFTONE)
        Broke("SetStretchBltMode", "mode " + std::to_string(mode));
    return realSetStretchBltMode(dc, mode);
}

BOOL(WINAPI* realShowWindow)(HWND, int) = nullptr;
BOOL WINAPI StandInShowWindow(HWND window, int command) {
    if (Ruled(__builtin_return_address(0)) && command != SW_HIDE && command != SW_SHOW && command != SW_SHOWNA &&
        command != SW_SHOWNORMAL)
        Broke("ShowWindow", "nCmdShow " + std::to_string(command));
    return realShowWindow(window, command);
}

BOOL(WINAPI* realCreateProcessW)(LPCWSTR, LPWSTR, LPSECURITY_ATTRIBUTES, LPSECURITY_ATTRIBUTES, BOOL, DWORD, LPVOID,
                                 LPCWSTR, LPSTARTUPINFOW, LPPROCESS_INFORMATION) = nullptr;
BOOL WINAPI StandInCreateProcessW(LPCWSTR image, LPWSTR commandLine, LPSECURITY_ATTRIBUTES processAttributes,
                                  LPSECURITY_ATTRIBUTES threadAttributes, BOOL inherit, DWORD flags, LPVOID environment,
                                  LPCWSTR directory, LPSTARTUPINFOW startup, LPPROCESS_INFORMATION information) {
    if (Ruled(__builtin_return_address(0))) {
        STARTUPINFOW zeroed = {};
        zeroed.cb = sizeof(zeroed);
        if (!image) Broke("CreateProcessW", "no image name");
        if (processAttributes || threadAttributes || inherit || environment || directory)
            Broke("CreateProcessW", "attributes, inheritance, environment or directory given");
        if (!startup || memcmp(startup, &zeroed, sizeof(zeroed)) != 0)
            Broke("CreateProcessW", startup ? "a start-up record with contents" : "no start-up record");
    }
    return realCreateProcessW(image, commandLine, processAttributes, threadAttributes, inherit, flags, environment,
                              directory, startup, information);
}

// The item's local heap, also followed block by block: what it takes must all come back by its unload.
HLOCAL(WINAPI* realLocalAlloc)(UINT, SIZE_T) = nullptr;
HLOCAL(WINAPI* realLocalFree)(HLOCAL) = nullptr;
HLOCAL WINAPI StandInLocalAlloc(UINT flags, SIZE_T bytes) {
    const void* caller = __builtin_return_address(0);
    if (Short(caller, "LocalAlloc")) return nullptr;
    if (Ruled(caller) && (flags & ~static_cast<UINT>(LPTR)) != 0) Broke("LocalAlloc", "uFlags " + Hex(flags));
    HLOCAL block = realLocalAlloc(flags, bytes);
    if (block && FromItem(caller)) {
        liveBlocks[block] = bytes;
        liveBytes += bytes;
        if (liveBytes > peakBytes) peakBytes = liveBytes;
    }
    return block;
}
HLOCAL WINAPI StandInLocalFree(HLOCAL block) {
    const auto live = liveBlocks.find(block);
    if (FromItem(__builtin_return_address(0)) && live != liveBlocks.end()) {
        liveBytes -= live->second;
        liveBlocks.erase(live);
    }
    return realLocalFree(block);
}

namespace {

struct Rewrite {
    const wchar_t* module;
    const char* name;
    void* standIn;
    void** real;
};

#define REWRITE_AS(module, name, exported) \
    {module, exported, reinterpret_cast<void*>(StandIn##name), reinterpret_cast<void**>(&real##name)}
#define REWRITE(module, name) REWRITE_AS(module, name, #name)
const Rewrite kRewrites[] = {
    REWRITE(L"kernel32.dll", LocalAlloc),         REWRITE(L"kernel32.dll", LocalFree),
    REWRITE(L"kernel32.dll", CreateFileMappingW), REWRITE(L"kernel32.dll", MapViewOfFile),
    REWRITE(L"kernel32.dll", CreateEventW),       REWRITE(L"user32.dll", CreateWindowExW),
    REWRITE(L"user32.dll", RegisterClassW),       REWRITE(L"user32.dll", SetTimer),
    REWRITE(L"user32.dll", LoadImageW),           REWRITE(L"user32.dll", GetDC),
    REWRITE(L"user32.dll", GetIconInfo),          REWRITE(L"gdi32.dll", CreateCompatibleDC),
    REWRITE(L"gdi32.dll", CreateCompatibleBitmap), REWRITE(L"gdi32.dll", CreateDIBSection),
    REWRITE(L"gdi32.dll", CreateFontIndirectW),   REWRITE(L"gdi32.dll", CreatePen),
    REWRITE(L"gdi32.dll", CreateSolidBrush),      REWRITE_AS(L"aygshell.dll", SHLoadDIBitmap, "SHLoadDIBitmap@4"),
    REWRITE(L"msvcrt.dll", malloc),               REWRITE(L"msvcrt.dll", calloc),
    REWRITE(L"msvcrt.dll", realloc),             REWRITE(L"gdi32.dll", GetTextExtentExPointW),
    REWRITE(L"advapi32.dll", RegOpenKeyExW),      REWRITE(L"gdi32.dll", SetStretchBltMode),
    REWRITE(L"user32.dll", ShowWindow),           REWRITE(L"kernel32.dll", CreateProcessW),
};

// Points the named export of the module at `standIn` and keeps the function it named. The loader adds an export's
// address to the module's base in 32 bits, so any address can be named.
bool RewriteExport(const Rewrite& rewrite) {
    HMODULE module = LoadLibraryW(rewrite.module);
    if (!module) return false;
    BYTE* base = reinterpret_cast<BYTE*>(module);
    const auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS*>(base + reinterpret_cast<IMAGE_DOS_HEADER*>(base)->e_lfanew);
    const IMAGE_DATA_DIRECTORY& directory = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_EXPORT];
    const auto* exports = reinterpret_cast<const IMAGE_EXPORT_DIRECTORY*>(base + directory.VirtualAddress);
    const auto* names = reinterpret_cast<const DWORD*>(base + exports->AddressOfNames);
    const auto* ordinals = reinterpret_cast<const WORD*>(base + exports->AddressOfNameOrdinals);
    auto* functions = reinterpret_cast<DWORD*>(base + exports->AddressOfFunctions);
    for (DWORD i = 0; i < exports->NumberOfNames; ++i) {
        if (strcmp(reinterpret_cast<const char*>(base + names[i]), rewrite.name) != 0) continue;
        *rewrite.real = reinterpret_cast<void*>(GetProcAddress(module, rewrite.name));
        DWORD* slot = &functions[ordinals[i]];
        DWORD protection = 0;
        if (!*rewrite.real || !VirtualProtect(slot, sizeof(*slot), PAGE_READWRITE, &protection)) return false;
        *slot = static_cast<DWORD>(reinterpret_cast<UINT_PTR>(rewrite.standIn) - reinterpret_cast<UINT_PTR>(base));
        VirtualProtect(slot, sizeof(*slot), protection, &protection);
        return true;
    }
    return false;
}

}  // namespace

namespace ItemImports {

bool Install(const wchar_t* itemModule, const char** problem) {
    itemModuleName = itemModule;
    if (installed) return true;
    for (const Rewrite& rewrite : kRewrites) {
        if (RewriteExport(rewrite)) continue;
        *problem = rewrite.name;
        return false;
    }
    installed = true;
    return true;
}

bool HoldToHandheldRules(const wchar_t* itemModule, const char** problem) {
    rulesOn = true;
    return Install(itemModule, problem);
}

std::vector<std::string> TakeViolations() {
    std::vector<std::string> taken;
    taken.swap(violations);
    return taken;
}

void FailCalls(unsigned first, unsigned count) {
    failFirst = first;
    failCount = count;
}

void FailEvery(const char* name, DWORD error) {
    failName = name;
    failNameError = error;
}

void ResetCount() {
    calls = 0;
    counted.clear();
}

std::string CountedCalls() {
    std::string names;
    for (const char* name : counted) names += std::string(names.empty() ? "" : " ") + name;
    return names;
}
unsigned CallsSoFar() { return calls; }

void ItemUnloaded() { itemStart = itemEnd = nullptr; }

size_t LiveItemBlocks() { return liveBlocks.size(); }
size_t LiveItemBytes() { return liveBytes; }
size_t PeakItemBytes() { return peakBytes; }
void ResetPeak() { peakBytes = liveBytes; }

}  // namespace ItemImports
