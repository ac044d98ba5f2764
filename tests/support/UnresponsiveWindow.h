// A hung peer: a hidden top-level window whose thread stops pumping messages once the window exists.
// Messages sent to it get no answer until the object is destroyed, which lets the thread go on.
#pragma once
#include <windows.h>
#include "platform/ScopedHandles.h"

class UnresponsiveWindow {
public:
    UnresponsiveWindow();
    ~UnresponsiveWindow();
    UnresponsiveWindow(const UnresponsiveWindow&) = delete;
    UnresponsiveWindow& operator=(const UnresponsiveWindow&) = delete;

    HWND hwnd() const { return window; }

private:
    static DWORD WINAPI Run(void* self);

    KernelHandle created;
    KernelHandle release;
    KernelHandle thread;
    HWND window = nullptr;
};
