// The item as the host meets it: the real DLL loaded by LoadLibrary and called by ordinal, under a
// recording host window that answers the host's colour and watermark requests.
#pragma once
#include "toolbox/WindowCapture.h"
#include "RecordingWindow.h"
#include "platform/ScopedHandles.h"
#include "platform/todaycmn.h"
#include <memory>

// Colours the test host reports; distinct so pixels tell which one was used.
constexpr COLORREF kHostTextColor = RGB(0x10, 0x20, 0x30);
constexpr COLORREF kHostHighlightedTextColor = RGB(0xF0, 0xE0, 0x10);
constexpr COLORREF kHostHighlightColor = RGB(0x00, 0x30, 0xA0);
constexpr COLORREF kHostWatermarkColor = RGB(0xC8, 0xDC, 0xB4);

class ItemDll {
public:
    ItemDll();  // loads ArdenoToday.dll from beside the test program
    ~ItemDll() { Unload(); }
    ItemDll(const ItemDll&) = delete;
    ItemDll& operator=(const ItemDll&) = delete;
    void Unload();

    HMODULE module = nullptr;
    PFNCUSTOMINITIALIZEITEM initialize = nullptr;
    PFNCUSTOMOPTIONSDLGPROC optionsProc = nullptr;
};

// The Today host's window as the item's parent: answers TODAYM_GETCOLOR and paints the watermark with
// watermarkColor; records everything from WM_USER up.
class HostWindow : public RecordingWindow {
public:
    HostWindow(int width = 240, int height = 320);
    // Runs once, when the item next asks for the watermark, before it is painted: a host that waits there.
    std::function<void()> duringNextWatermark;
    COLORREF watermarkColor = kHostWatermarkColor;

protected:
    std::optional<LRESULT> Handle(UINT message, WPARAM wParam, LPARAM lParam) override;
};

// The shell's "ready" event, created (and set unless asked not to) for the test's lifetime.
class ShellReadyEvent {
public:
    explicit ShellReadyEvent(bool set = true);
    void Set();
    void Reset();
    // Closes it: with no other handle the event no longer exists, as on a host without the shell's event.
    void Remove();

private:
    KernelHandle event;
};

TODAYLISTITEM MakeRecord(bool enabled = true);

// A window or a record as a message parameter.
template <typename T>
WPARAM AsParam(T* pointer) {
    return reinterpret_cast<WPARAM>(pointer);
}

// Sizes the item three 20-pixel lines high and paints it: true when it drew below its first line, as the
// three-line view does (portrait cell, sender, text); the one-line view leaves the host's watermark there.
bool DrawsNoticeLines(HWND item);

// The user presses the action key on what the screen shows: a paint still pending is done first, as the screen
// does it before anyone can act on it. The item's answer.
LRESULT PressAction(HWND item);

// Everything a host does before the item runs: shell ready, host window, DLL loaded, item initialised.
struct LoadedItem {
    explicit LoadedItem(bool initialise = true);
    // Sizes the item window as the host does after a refresh query.
    void Resize(int width, int height);
    LRESULT Send(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const;
    LRESULT Act() const { return PressAction(item); }
    // The host's refresh query: 1 when the host must redraw; Height() is the height it then reports.
    LRESULT Query() { return Send(WM_TODAYCUSTOM_QUERYREFRESHCACHE, reinterpret_cast<WPARAM>(&record)); }
    DWORD Height();
    // A paint through the window procedure, as the host's window manager asks for one; Painted() reads it back.
    void Repaint() const;
    Capture Painted() const;

    ShellReadyEvent ready;
    HostWindow host;
    ItemDll dll;
    TODAYLISTITEM record;
    HWND item = nullptr;
};
