#include "ResourceCounts.h"
#include "Surface.h"
#include <sstream>
#include <vector>

namespace {

// TlsAlloc until it fails, then all freed again.
int CountFreeTlsIndexes() {
    std::vector<DWORD> taken;
    for (DWORD index; (index = TlsAlloc()) != TLS_OUT_OF_INDEXES;) taken.push_back(index);
    for (DWORD index : taken) TlsFree(index);
    return static_cast<int>(taken.size());
}

// Handle values that GetHandleInformation accepts (handles are small multiples of 4, handed out lowest first).
int CountKernelHandles() {
    constexpr int kGapAfterLast = 4096;  // handle values never leave gaps that wide
    int count = 0;
    int misses = 0;
    for (UINT_PTR value = 4; misses < kGapAfterLast; value += 4) {
        DWORD flags = 0;
        if (GetHandleInformation(reinterpret_cast<HANDLE>(value), &flags)) {
            ++count;
            misses = 0;
        } else {
            ++misses;
        }
    }
    return count;
}

BOOL CALLBACK CountOne(HWND window, LPARAM count) {
    ++*reinterpret_cast<int*>(count);
    return TRUE;
}

BOOL CALLBACK CountWithDescendants(HWND window, LPARAM count) {
    ++*reinterpret_cast<int*>(count);
    EnumChildWindows(window, CountOne, count);
    return TRUE;
}

// Windows of this thread, top-level and their descendants.
int CountThreadWindows() {
    int count = 0;
    EnumThreadWindows(GetCurrentThreadId(), CountWithDescendants, reinterpret_cast<LPARAM>(&count));
    return count;
}

// Window classes registered for this program's module: every class atom that GetClassInfoExW accepts.
int CountWindowClasses() {
    HINSTANCE program = GetModuleHandleW(nullptr);
    int count = 0;
    for (UINT atom = 0xC000; atom <= 0xFFFF; ++atom) {
        WNDCLASSEXW info = {};
        info.cbSize = sizeof(info);
        if (GetClassInfoExW(program, MAKEINTATOM(atom), &info)) ++count;
    }
    return count;
}

}  // namespace

SIZE_T PrivateBytes() {
    SIZE_T total = 0;
    MEMORY_BASIC_INFORMATION region;
    for (const BYTE* at = nullptr; VirtualQuery(at, &region, sizeof(region)) == sizeof(region);) {
        if (region.State == MEM_COMMIT && region.Type == MEM_PRIVATE) total += region.RegionSize;
        const BYTE* next = static_cast<const BYTE*>(region.BaseAddress) + region.RegionSize;
        if (next <= at) break;
        at = next;
    }
    return total;
}

ResourceCounts CountResources() {
    ResourceCounts counts;
    counts.freeTlsIndexes = CountFreeTlsIndexes();
    counts.kernelHandles = CountKernelHandles();
    counts.gdiObjects = CountGdiObjects();
    counts.windows = CountThreadWindows();
    counts.windowClasses = CountWindowClasses();
    counts.privateBytes = PrivateBytes();
    return counts;
}

std::string DescribeChange(const ResourceCounts& before, const ResourceCounts& after) {
    std::ostringstream text;
    text << "TLS free " << before.freeTlsIndexes << " -> " << after.freeTlsIndexes << ", kernel handles "
         << before.kernelHandles << " -> " << after.kernelHandles << ", GDI objects " << before.gdiObjects << " -> "
         << after.gdiObjects << ", windows " << before.windows << " -> " << after.windows << ", window classes "
         << before.windowClasses << " -> " << after.windowClasses << ", private memory "
         << (after.privateBytes >= before.privateBytes ? "+" : "-")
         << (after.privateBytes >= before.privateBytes ? after.privateBytes - before.privateBytes
                                                       : before.privateBytes - after.privateBytes) /
                1024
         << " KB";
    return text.str();
}

::testing::AssertionResult SameResources(const ResourceCounts& before, const ResourceCounts& after,
                                         SIZE_T memorySlack) {
    bool same = before.freeTlsIndexes == after.freeTlsIndexes && before.kernelHandles == after.kernelHandles &&
                before.gdiObjects == after.gdiObjects && before.windows == after.windows &&
                before.windowClasses == after.windowClasses && after.privateBytes <= before.privateBytes + memorySlack;
    if (same) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "left behind: " << DescribeChange(before, after) << " (memory slack "
                                         << memorySlack / 1024 << " KB)";
}
