// A main application that does not answer: a hidden top-level window on its own thread. Hung from the start
// by default; or answering at first and stalling once a given message arrives. Resume() lets it answer again
// (ping, activation and copy-data with 1); until then every message sent to it waits. Destruction resumes it
// and ends the thread.
#pragma once
#include <windows.h>
#include "platform/ScopedHandles.h"

class UnresponsiveWindow {
public:
    // stallOn 0: hung from the start; otherwise the message number whose arrival stalls it.
    explicit UnresponsiveWindow(UINT stallOn = 0);
    ~UnresponsiveWindow();
    UnresponsiveWindow(const UnresponsiveWindow&) = delete;
    UnresponsiveWindow& operator=(const UnresponsiveWindow&) = delete;

    HWND hwnd() const { return window; }
    void Resume();
    // How many messages of this number its procedure has taken so far.
    LONG Received(UINT message) const;

private:
    static DWORD WINAPI Run(void* self);
    static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    UINT stallOn;
    KernelHandle created;
    KernelHandle resumed;
    KernelHandle stop;
    KernelHandle thread;
    HWND window = nullptr;
    volatile LONG pings = 0, activations = 0, copies = 0;
};
