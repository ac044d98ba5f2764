// A kernel handle that closes itself.
#pragma once
#include <windows.h>

// A kernel handle closed on scope exit.
class KernelHandle {
public:
    explicit KernelHandle(HANDLE handle = nullptr) : handle(handle) {}
    ~KernelHandle() { Reset(); }
    KernelHandle(KernelHandle&& other) noexcept : handle(other.handle) { other.handle = nullptr; }
    KernelHandle& operator=(KernelHandle&& other) noexcept {
        if (this != &other) {
            Reset(other.handle);
            other.handle = nullptr;
        }
        return *this;
    }
    KernelHandle(const KernelHandle&) = delete;
    KernelHandle& operator=(const KernelHandle&) = delete;
    HANDLE get() const { return handle; }
    void Reset(HANDLE replacement = nullptr) {
        if (handle && handle != INVALID_HANDLE_VALUE) CloseHandle(handle);
        handle = replacement;
    }

private:
    HANDLE handle;
};
