// An owner for memory the system allocated with LocalAlloc for its caller to free with LocalFree
// (FormatMessageW's FORMAT_MESSAGE_ALLOCATE_BUFFER, CommandLineToArgvW).
#pragma once
#include <windows.h>
#include "platform/ScopedHandles.h"

template <typename Pointer>
struct LocalMemoryTraits {
    using Handle = Pointer;
    static bool IsValid(Pointer memory) { return memory != nullptr; }
    static void Close(Pointer memory) { LocalFree(reinterpret_cast<HLOCAL>(memory)); }
};

// LocalMemory<wchar_t*>, LocalMemory<LPWSTR*>: freed at the end of the scope that received it.
template <typename Pointer>
using LocalMemory = UniqueHandle<LocalMemoryTraits<Pointer>>;
