#include "ItemHarness.h"
#include "ItemImports.h"
#include "toolbox/ModuleExport.h"
#include <gtest/gtest.h>
#include <algorithm>

constexpr wchar_t SHELL_READY_EVENT_NAME[] = L"SYSTEM/ShellAPIReady";

ItemDll::ItemDll() {
    // Every test that loads the item holds its calls to the handheld's reference; what breaks a rule fails the test.
    const char* problem = nullptr;
    if (!ItemImports::HoldToHandheldRules(L"ArdenoToday.dll", &problem))
        ADD_FAILURE() << "cannot hold the item to the handheld's rules: no stand-in for " << problem;
    module = LoadLibraryW(L"ArdenoToday.dll");
    if (!module) return;
    initialize = ExportByOrdinal<PFNCUSTOMINITIALIZEITEM>(module, ORDINAL_INITIALIZEITEM);
    optionsProc = ExportByOrdinal<PFNCUSTOMOPTIONSDLGPROC>(module, ORDINAL_OPTIONSDIALOGPROC);
}

void ItemDll::Unload() {
    if (module) FreeLibrary(module);
    module = nullptr;
    ItemImports::ItemUnloaded();
    // Outside a test (a child program) the program takes the violations itself.
    if (!::testing::UnitTest::GetInstance()->current_test_info()) return;
    for (const std::string& violation : ItemImports::TakeViolations()) ADD_FAILURE() << violation;
}

HostWindow::HostWindow(int width, int height) : RecordingWindow(L"TestTodayHost", L"Today", nullptr, width, height) {}

std::optional<LRESULT> HostWindow::Handle(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == TODAYM_DRAWWATERMARK && duringNextWatermark) {
        auto once = std::move(duringNextWatermark);
        duringNextWatermark = nullptr;
        once();
    }
    if (message == TODAYM_GETCOLOR) {
        switch (wParam) {
        case TODAYCOLOR_TEXT:
            return kHostTextColor;
        case TODAYCOLOR_HIGHLIGHTEDTEXT:
            return kHostHighlightedTextColor;
        case TODAYCOLOR_HIGHLIGHT:
            return kHostHighlightColor;
        default:
            return LRESULT(0);
        }
    }
    if (message == TODAYM_DRAWWATERMARK && lParam) {
        const auto* info = reinterpret_cast<const TODAYDRAWWATERMARKINFO*>(lParam);
        GdiObject<HBRUSH> brush(CreateSolidBrush(watermarkColor));
        FillRect(info->hdc, &info->rc, brush.get());
        return LRESULT(1);
    }
    return RecordingWindow::Handle(message, wParam, lParam);
}

ShellReadyEvent::ShellReadyEvent(bool set) : event(CreateEventW(nullptr, TRUE, FALSE, SHELL_READY_EVENT_NAME)) {
    if (set) Set();
    else Reset();
}
void ShellReadyEvent::Remove() { event.Reset(); }
void ShellReadyEvent::Set() { SetEvent(event.get()); }
void ShellReadyEvent::Reset() { ResetEvent(event.get()); }

TODAYLISTITEM MakeRecord(bool enabled) {
    TODAYLISTITEM record = {};
    lstrcpyW(record.szName, L"Ardeno");
    record.tlit = tlitCustom;
    record.fEnabled = enabled;
    record.fOptions = TRUE;
    record.dwSelectability = TODAY_SELECTABILITY_CUSTOMSELECTION;
    GetModuleFileNameW(nullptr, record.szDLLPath, MAX_PATH);
    return record;
}

bool DrawsNoticeLines(HWND item) {
    MoveWindow(item, 0, 0, 240, 60, FALSE);
    InvalidateRect(item, nullptr, FALSE);
    const Capture capture = CaptureWindow(item);
    const RECT below = {0, 22, capture.width, capture.height};
    return capture.Count(below, kHostWatermarkColor) < (below.right - below.left) * (below.bottom - below.top);
}

LoadedItem::LoadedItem(bool initialise) : record(MakeRecord()) {
    if (initialise && dll.initialize) item = dll.initialize(&record, host.hwnd());
}

void LoadedItem::Resize(int width, int height) {
    // A child is clipped to its parent's client area: the host grows to hold a larger item.
    RECT window, client;
    GetWindowRect(host.hwnd(), &window);
    GetClientRect(host.hwnd(), &client);
    const int wider = std::max<int>(0, width - static_cast<int>(client.right)),
              taller = std::max<int>(0, height - static_cast<int>(client.bottom));
    if (wider || taller) {
        SetWindowPos(host.hwnd(), nullptr, 0, 0, window.right - window.left + wider,
                     window.bottom - window.top + taller, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    MoveWindow(item, 0, 0, width, height, FALSE);
}

LRESULT LoadedItem::Send(UINT message, WPARAM wParam, LPARAM lParam) const {
    return SendMessageW(item, message, wParam, lParam);
}

DWORD LoadedItem::Height() {
    Query();
    return record.cyp;
}

LRESULT PressAction(HWND item) {
    UpdateWindow(item);
    return SendMessageW(item, WM_TODAYCUSTOM_ACTION, VK_RETURN, 0);
}

void LoadedItem::Repaint() const {
    InvalidateRect(item, nullptr, FALSE);
    UpdateWindow(item);
}

Capture LoadedItem::Painted() const {
    InvalidateRect(item, nullptr, FALSE);
    return CaptureWindow(item);
}
