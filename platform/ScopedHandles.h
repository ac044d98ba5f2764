// Scoped owners for every GDI, kernel and registry handle, shared by the item, the host simulator, the
// stand-in and the tests: each release happens at the end of the scope that acquired the handle, and a
// released owner holds null, so releasing twice does nothing.
//
// The item is C++03 (the language of the compilers that target the device), the programs around it C++17: the
// owners are written in C++03, and gain moves where the language has them. The item hands a handle on with
// Release() and Reset() instead.
#pragma once
#include <windows.h>

#if __cplusplus >= 201103L
#define SCOPED_HANDLES_MOVE 1
#include <utility>
#endif

// One owner shape for handles released by a single call. Traits give the handle type, its null values and
// the release call.
template <typename Traits>
class UniqueHandle {
    typedef typename Traits::Handle UniqueHandle::*Testable;

public:
    typedef typename Traits::Handle Handle;

    UniqueHandle() : handle(Handle()) {}
    explicit UniqueHandle(Handle owned) : handle(owned) {}
    ~UniqueHandle() { Reset(); }
#ifdef SCOPED_HANDLES_MOVE
    UniqueHandle(UniqueHandle&& other) noexcept : handle(other.Release()) {}
    UniqueHandle& operator=(UniqueHandle&& other) noexcept {
        if (this != &other) Reset(other.Release());
        return *this;
    }
#endif

    Handle get() const { return handle; }
    // True while a valid handle is held (C++03 has no explicit conversion to bool; this one converts to
    // nothing else).
    operator Testable() const { return Traits::IsValid(handle) ? &UniqueHandle::handle : 0; }
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
    UniqueHandle(const UniqueHandle&);
    UniqueHandle& operator=(const UniqueHandle&);

    Handle handle;
};

template <typename H>
struct GdiObjectTraits {
    typedef H Handle;
    static bool IsValid(H handle) { return handle != NULL; }
    static void Close(H handle) { DeleteObject(handle); }
};

struct KernelHandleTraits {
    typedef HANDLE Handle;
    // Some kernel calls fail with INVALID_HANDLE_VALUE, others with null: neither is closed.
    static bool IsValid(HANDLE handle) { return handle != NULL && handle != INVALID_HANDLE_VALUE; }
    static void Close(HANDLE handle) { CloseHandle(handle); }
};

struct RegistryKeyTraits {
    typedef HKEY Handle;
    static bool IsValid(HKEY key) { return key != NULL; }
    static void Close(HKEY key) { RegCloseKey(key); }
};

struct MappedViewTraits {
    typedef void* Handle;
    static bool IsValid(void* view) { return view != NULL; }
    static void Close(void* view) { UnmapViewOfFile(view); }
};

struct IconTraits {
    typedef HICON Handle;
    static bool IsValid(HICON icon) { return icon != NULL; }
    static void Close(HICON icon) { DestroyIcon(icon); }
};

// A created pen, brush, font or bitmap, deleted with DeleteObject.
template <typename H>
class GdiObject : public UniqueHandle<GdiObjectTraits<H> > {
    typedef UniqueHandle<GdiObjectTraits<H> > Owner;

public:
    GdiObject() {}
    explicit GdiObject(H owned) : Owner(owned) {}
#ifdef SCOPED_HANDLES_MOVE
    GdiObject(GdiObject&& other) noexcept : Owner(std::move(other)) {}
    GdiObject& operator=(GdiObject&& other) noexcept {
        Owner::operator=(std::move(other));
        return *this;
    }
#endif
};
// An event, mutex, process, thread, file or file mapping, closed with CloseHandle.
typedef UniqueHandle<KernelHandleTraits> KernelHandle;
// An open registry key, closed with RegCloseKey.
typedef UniqueHandle<RegistryKeyTraits> RegistryKeyHandle;
// A mapped view of a file mapping, unmapped with UnmapViewOfFile.
typedef UniqueHandle<MappedViewTraits> MappedView;
// A loaded icon, destroyed with DestroyIcon.
typedef UniqueHandle<IconTraits> IconHandle;

// Selects an object into a DC and selects the previous one back.
class SelectedObject {
public:
    SelectedObject(HDC dc, HGDIOBJ object) : dc(dc), previous(dc && object ? SelectObject(dc, object) : NULL) {}
    ~SelectedObject() {
        if (previous) SelectObject(dc, previous);
    }
    // False when the object could not be selected (none given, or the platform refused it).
    bool Selected() const { return previous != NULL; }

private:
    SelectedObject(const SelectedObject&);
    SelectedObject& operator=(const SelectedObject&);

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
    HDC get() const { return dc; }

private:
    MemoryDC(const MemoryDC&);
    MemoryDC& operator=(const MemoryDC&);

    HDC dc;
};

// A window's client DC from GetDC (the screen's with no window), released with ReleaseDC.
class WindowDC {
public:
    explicit WindowDC(HWND window) : window(window), dc(GetDC(window)) {}
    ~WindowDC() {
        if (dc) ReleaseDC(window, dc);
    }
    HDC get() const { return dc; }

private:
    WindowDC(const WindowDC&);
    WindowDC& operator=(const WindowDC&);

    HWND window;
    HDC dc;
};

// BeginPaint / EndPaint: EndPaint runs however the scope is left.
class PaintDC {
public:
    explicit PaintDC(HWND window) : window(window), paint(), dc(BeginPaint(window, &paint)) {}
    ~PaintDC() { EndPaint(window, &paint); }
    HDC get() const { return dc; }
    const RECT& Dirty() const { return paint.rcPaint; }

private:
    PaintDC(const PaintDC&);
    PaintDC& operator=(const PaintDC&);

    HWND window;
    PAINTSTRUCT paint;
    HDC dc;
};
