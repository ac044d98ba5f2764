// Scoped owners for every GDI, kernel and registry handle, shared by the item, the host simulator, the
// stand-in and the tests: each release happens at the end of the scope that acquired the handle, and a
// released owner holds null, so releasing twice does nothing.
#pragma once
#include <windows.h>

// One owner shape for handles released by a single call. Traits give the handle type, its null values and
// the release call.
template <typename Traits>
class UniqueHandle {
public:
    using Handle = typename Traits::Handle;

    UniqueHandle() = default;
    explicit UniqueHandle(Handle handle) : handle(handle) {}
    ~UniqueHandle() { Reset(); }
    UniqueHandle(UniqueHandle&& other) noexcept : handle(other.Release()) {}
    UniqueHandle& operator=(UniqueHandle&& other) noexcept {
        if (this != &other) Reset(other.Release());
        return *this;
    }
    UniqueHandle(const UniqueHandle&) = delete;
    UniqueHandle& operator=(const UniqueHandle&) = delete;

    Handle get() const { return handle; }
    explicit operator bool() const { return Traits::IsValid(handle); }
    // Releases the handle held, then keeps the replacement.
    void Reset(Handle replacement = Handle()) {
        if (Traits::IsValid(handle)) Traits::Close(handle);
        handle = replacement;
    }
    // Gives the handle up without releasing it.
    Handle Release() {
        Handle released = handle;
        handle = Handle();
        return released;
    }
    // For calls that return a handle through a pointer: releases the current one first.
    Handle* Receive() {
        Reset();
        return &handle;
    }

private:
    Handle handle = Handle();
};

template <typename H>
struct GdiObjectTraits {
    using Handle = H;
    static bool IsValid(H handle) { return handle != nullptr; }
    static void Close(H handle) { DeleteObject(handle); }
};

struct KernelHandleTraits {
    using Handle = HANDLE;
    // Some kernel calls fail with INVALID_HANDLE_VALUE, others with null: neither is closed.
    static bool IsValid(HANDLE handle) { return handle != nullptr && handle != INVALID_HANDLE_VALUE; }
    static void Close(HANDLE handle) { CloseHandle(handle); }
};

struct RegistryKeyTraits {
    using Handle = HKEY;
    static bool IsValid(HKEY key) { return key != nullptr; }
    static void Close(HKEY key) { RegCloseKey(key); }
};

struct MappedViewTraits {
    using Handle = void*;
    static bool IsValid(void* view) { return view != nullptr; }
    static void Close(void* view) { UnmapViewOfFile(view); }
};

struct IconTraits {
    using Handle = HICON;
    static bool IsValid(HICON icon) { return icon != nullptr; }
    static void Close(HICON icon) { DestroyIcon(icon); }
};

// A created pen, brush, font or bitmap, deleted with DeleteObject.
template <typename H>
using GdiObject = UniqueHandle<GdiObjectTraits<H>>;
// An event, mutex, process, thread, file or file mapping, closed with CloseHandle.
using KernelHandle = UniqueHandle<KernelHandleTraits>;
// An open registry key, closed with RegCloseKey.
using RegistryKeyHandle = UniqueHandle<RegistryKeyTraits>;
// A mapped view of a file mapping, unmapped with UnmapViewOfFile.
using MappedView = UniqueHandle<MappedViewTraits>;
// A loaded icon, destroyed with DestroyIcon.
using IconHandle = UniqueHandle<IconTraits>;

// Selects an object into a DC and selects the previous one back.
class SelectedObject {
public:
    SelectedObject(HDC dc, HGDIOBJ object) : dc(dc), previous(dc && object ? SelectObject(dc, object) : nullptr) {}
    ~SelectedObject() {
        if (previous) SelectObject(dc, previous);
    }
    SelectedObject(const SelectedObject&) = delete;
    SelectedObject& operator=(const SelectedObject&) = delete;

private:
    HDC dc;
    HGDIOBJ previous;
};

// A memory DC compatible with another DC, deleted with DeleteDC.
class MemoryDC {
public:
    explicit MemoryDC(HDC compatibleWith) : dc(CreateCompatibleDC(compatibleWith)) {}
    ~MemoryDC() {
        if (dc) DeleteDC(dc);
    }
    MemoryDC(const MemoryDC&) = delete;
    MemoryDC& operator=(const MemoryDC&) = delete;
    HDC get() const { return dc; }

private:
    HDC dc;
};

// A window's client DC from GetDC (the screen's with no window), released with ReleaseDC.
class WindowDC {
public:
    explicit WindowDC(HWND window) : window(window), dc(GetDC(window)) {}
    ~WindowDC() {
        if (dc) ReleaseDC(window, dc);
    }
    WindowDC(const WindowDC&) = delete;
    WindowDC& operator=(const WindowDC&) = delete;
    HDC get() const { return dc; }

private:
    HWND window;
    HDC dc;
};

// BeginPaint / EndPaint: EndPaint runs however the scope is left.
class PaintDC {
public:
    explicit PaintDC(HWND window) : window(window), dc(BeginPaint(window, &paint)) {}
    ~PaintDC() { EndPaint(window, &paint); }
    PaintDC(const PaintDC&) = delete;
    PaintDC& operator=(const PaintDC&) = delete;
    HDC get() const { return dc; }
    const RECT& Dirty() const { return paint.rcPaint; }

private:
    HWND window;
    PAINTSTRUCT paint = {};
    HDC dc;
};
