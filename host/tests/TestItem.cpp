// A Today item for the host's tests. Its height, its answers and its marker colour come from its grfFlags;
// it records every host message it receives as a row (see TestItemProtocol.h). Several items may live in one DLL.
#include <windows.h>
#include <cstdio>
#include <map>
#include <string>
#include "TestItemProtocol.h"
#include "platform/ScopedHandles.h"
#include "platform/todaycmn.h"
#include "toolbox/ModuleExport.h"

namespace {

const wchar_t kClassName[] = L"HostTestItemWindow";

struct Instance {
    std::wstring name;
    DWORD flags = 0;
    DWORD reportedHeight = 0;  // cyp at the next refresh query
    LRESULT nextAnswer = 0;    // answer of the next refresh query, then 0 again
    bool selected = false;
};

HINSTANCE moduleInstance = nullptr;
std::map<HWND, Instance> instances;

// Sent and posted messages reach a window procedure alike; the queue's hook sees the posted ones as they are taken.
HHOOK queueHook = nullptr;
MSG lastTaken = {};
bool taken = false;

LRESULT CALLBACK OnTakenFromQueue(int code, WPARAM removal, LPARAM lParam) {
    if (code == HC_ACTION && removal == PM_REMOVE) {
        lastTaken = *reinterpret_cast<const MSG*>(lParam);
        taken = true;
    }
    return CallNextHookEx(queueHook, code, removal, lParam);
}

// Whether the message being handled is the one last taken from the queue (each is so once).
bool TakenFromQueue(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (!taken || lastTaken.hwnd != window || lastTaken.message != message || lastTaken.wParam != wParam ||
        lastTaken.lParam != lParam)
        return false;
    taken = false;
    return true;
}

void Report(HWND window, UINT message, WPARAM wParam, LPARAM lParam, const TODAYLISTITEM* record = nullptr) {
    TestItemRow row = {};
    row.window = window;
    row.message = message;
    row.wParam = wParam;
    row.lParam = lParam;
    row.posted = TakenFromQueue(window, message, wParam, lParam);
    if (record) row.record = *record;
    if (auto sink = ExportByName<TestItemSink>(GetModuleHandleW(nullptr), TEST_ITEM_SINK_EXPORT)) {
        sink(&row);
        return;
    }
    wchar_t path[MAX_PATH];
    if (!GetEnvironmentVariableW(TEST_ITEM_LOG_VARIABLE, path, MAX_PATH)) return;
    FILE* file = _wfopen(path, L"ab");
    if (!file) return;
    fwrite(&row, sizeof(row), 1, file);
    fclose(file);
}

// What the host, the stylus and the window manager tell an item: each recorded before it is handled.
bool Reported(UINT message) {
    switch (message) {
    case WM_TODAYCUSTOM_QUERYREFRESHCACHE:
    case WM_TODAYCUSTOM_RECEIVEDSELECTION:
    case WM_TODAYCUSTOM_LOSTSELECTION:
    case WM_TODAYCUSTOM_USERNAVIGATION:
    case WM_TODAYCUSTOM_ACTION:
    case WM_TODAYCUSTOM_CLEARCACHE:
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_SIZE:
        return true;
    default:
        return false;
    }
}

void Paint(HWND window, Instance& instance) {
    PaintDC paint(window);
    HDC dc = paint.get();
    RECT client;
    GetClientRect(window, &client);
    HWND host = GetParent(window);
    if (instance.selected) {
        GdiObject<HBRUSH> brush(
            CreateSolidBrush(static_cast<COLORREF>(SendMessageW(host, TODAYM_GETCOLOR, TODAYCOLOR_HIGHLIGHT, 0))));
        FillRect(dc, &client, brush.get());
    } else {
        TODAYDRAWWATERMARKINFO info = {dc, client, window};
        SendMessageW(host, TODAYM_DRAWWATERMARK, 0, reinterpret_cast<LPARAM>(&info));
    }
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, static_cast<COLORREF>(SendMessageW(
                         host, TODAYM_GETCOLOR, instance.selected ? TODAYCOLOR_HIGHLIGHTEDTEXT : TODAYCOLOR_TEXT, 0)));
    RECT text = {4, 0, client.right / 2, client.bottom};
    DrawTextW(dc, instance.name.c_str(), -1, &text, DT_LEFT | DT_VCENTER | DT_SINGLELINE);
    const DWORD color = (instance.flags >> TEST_ITEM_COLOR_SHIFT) & 0xFF;
    if (color && color < ARRAYSIZE(kTestItemColors)) {
        RECT marker = {client.right - 4 - TEST_ITEM_MARKER_SIZE, 4, client.right - 4, 4 + TEST_ITEM_MARKER_SIZE};
        GdiObject<HBRUSH> brush(CreateSolidBrush(kTestItemColors[color]));
        FillRect(dc, &marker, brush.get());
    }
}

LRESULT CALLBACK ItemProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto found = instances.find(window);
    if (found == instances.end()) return DefWindowProcW(window, message, wParam, lParam);
    Instance& instance = found->second;
    if (Reported(message)) Report(window, message, wParam, lParam);
    switch (message) {
    case WM_PAINT:
        Paint(window, instance);
        return 0;
    case WM_ERASEBKGND:
        return 1;
    case WM_TODAYCUSTOM_QUERYREFRESHCACHE: {
        auto record = reinterpret_cast<TODAYLISTITEM*>(wParam);
        if (!record) return 0;
        record->cyp = instance.reportedHeight;
        LRESULT answer = instance.nextAnswer;
        instance.nextAnswer = 0;
        return answer;
    }
    case WM_TODAYCUSTOM_RECEIVEDSELECTION:
        if (instance.flags & TEST_ITEM_REFUSE_SELECTION) return 0;
        instance.selected = true;
        if (!(instance.flags & TEST_ITEM_LAZY)) InvalidateRect(window, nullptr, FALSE);
        return 1;
    case WM_TODAYCUSTOM_LOSTSELECTION:
        instance.selected = false;
        if (!(instance.flags & TEST_ITEM_LAZY)) InvalidateRect(window, nullptr, FALSE);
        return 1;
    case WM_TODAYCUSTOM_USERNAVIGATION:
        return (instance.flags & TEST_ITEM_KEEP_NAVIGATION) ? 1 : 0;
    case WM_TODAYCUSTOM_ACTION:
        return 1;
    case WM_TODAYCUSTOM_CLEARCACHE:
        return 1;
    case WM_LBUTTONDOWN:
        instance.selected = true;
        PostMessageW(GetParent(window), TODAYM_TOOKSELECTION, reinterpret_cast<WPARAM>(window), 0);
        InvalidateRect(window, nullptr, FALSE);
        return 0;
    case WM_SIZE:
        return 0;
    case WM_LBUTTONUP: {
        wchar_t peer[32];
        if (!(instance.flags & TEST_ITEM_WAITS_IN_TAP) ||
            !GetEnvironmentVariableW(TEST_ITEM_TAP_PEER_VARIABLE, peer, 32))
            return 0;
        SendMessageW(reinterpret_cast<HWND>(static_cast<UINT_PTR>(wcstoul(peer, nullptr, 10))), TEST_ITEM_TAP_WAIT, 0,
                     0);
        Report(window, TEST_ITEM_TAP_RETURNED, 0, 0);  // in code that a DLL unloaded meanwhile would no longer have
        return 0;
    }
    case TEST_ITEM_SET_REFRESH:
        instance.reportedHeight = static_cast<DWORD>(wParam);
        instance.nextAnswer = lParam;
        return 1;
    default:
        return DefWindowProcW(window, message, wParam, lParam);
    }
}

void RegisterItemClass() {
    WNDCLASSW windowClass = {};
    if (GetClassInfoW(moduleInstance, kClassName, &windowClass)) return;
    windowClass.lpfnWndProc = ItemProc;
    windowClass.hInstance = moduleInstance;
    windowClass.lpszClassName = kClassName;
    RegisterClassW(&windowClass);
}

void DestroyAll() {
    while (!instances.empty()) {
        auto first = instances.begin();
        HWND window = first->first;
        Report(window, TEST_ITEM_UNLOADED, 0, 0);
        instances.erase(first);
        DestroyWindow(window);
    }
    UnregisterClassW(kClassName, moduleInstance);
    if (queueHook) UnhookWindowsHookEx(queueHook);
    queueHook = nullptr;
}

HWND MakeItem(TODAYLISTITEM& record, HWND parent) {
    if (!record.fEnabled || (record.grfFlags & TEST_ITEM_INIT_NULL)) return nullptr;
    RegisterItemClass();
    HWND window = CreateWindowExW(0, kClassName, record.szName, WS_CHILD | WS_VISIBLE, 0, 0, 10, 10, parent, nullptr,
                                  moduleInstance, nullptr);
    if (!window) return nullptr;
    Instance& instance = instances[window];
    instance.name = record.szName;
    instance.flags = record.grfFlags;
    instance.reportedHeight = record.grfFlags & TEST_ITEM_HEIGHT_MASK;
    record.cyp = instance.reportedHeight;
    return window;
}

}  // namespace

extern "C" HWND WINAPI InitializeCustomItem(TODAYLISTITEM* record, HWND parent) {
    if (!record) return nullptr;
    if (!queueHook)
        queueHook = SetWindowsHookExW(WH_GETMESSAGE, OnTakenFromQueue, moduleInstance, GetCurrentThreadId());
    const TODAYLISTITEM handed = *record;
    HWND window = MakeItem(*record, parent);
    Report(parent, TEST_ITEM_INITIALIZED, reinterpret_cast<WPARAM>(window), 0, &handed);
    return window;
}

extern "C" BOOL WINAPI CustomItemOptionsDlgProc(HWND dialog, UINT message, UINT wParam, LONG lParam) {
    switch (message) {
    case WM_INITDIALOG:
        Report(dialog, message, wParam, lParam);  // lParam: the record the host handed over
        return TRUE;
    case WM_COMMAND:
        if (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL) {
            Report(dialog, message, wParam, lParam);
            EndDialog(dialog, LOWORD(wParam));
            return TRUE;
        }
        return FALSE;
    default:
        return FALSE;
    }
}

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID reserved) {
    if (reason == DLL_PROCESS_ATTACH) moduleInstance = instance;
    // Unloaded by the host (not at process exit): a well-behaved item takes its windows with it.
    if (reason == DLL_PROCESS_DETACH && !reserved) DestroyAll();
    return TRUE;
}
