// What this process holds, counted by probing (Wine's GetGuiResources answers 0): free TLS indexes, kernel
// handles, GDI objects, this thread's windows, the window classes registered for this program, and private
// committed memory. Before/after pairs show what a piece of work left behind.
#pragma once
#include <windows.h>
#include <gtest/gtest.h>
#include <string>

struct ResourceCounts {
    int freeTlsIndexes = 0;
    int kernelHandles = 0;
    int gdiObjects = 0;
    int windows = 0;
    int windowClasses = 0;
    SIZE_T privateBytes = 0;
};

ResourceCounts CountResources();
// Every count equal, and private memory grown by at most `memorySlack` bytes; the failure names each change.
::testing::AssertionResult SameResources(const ResourceCounts& before, const ResourceCounts& after, SIZE_T memorySlack);
// One line: "TLS free 1085 -> 1085, kernel handles 40 -> 40, ..., private memory +12 KB".
std::string DescribeChange(const ResourceCounts& before, const ResourceCounts& after);

// Committed private pages of the address space (VirtualQuery walk).
SIZE_T PrivateBytes();
