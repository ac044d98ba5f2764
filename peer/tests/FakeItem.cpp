#include "FakeItem.h"
#include "link/LinkProtocol.h"
#include <sstream>

namespace {

const wchar_t kItemClass[] = L"PeerTestItem";

HWND CreateRecordingWindow(const wchar_t* className, WNDPROC procedure, void* owner) {
    WNDCLASSW windowClass = {};
    windowClass.lpfnWndProc = procedure;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.lpszClassName = className;
    RegisterClassW(&windowClass);  // already registered by an earlier test: fine
    HWND window = CreateWindowExW(0, className, L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                                  GetModuleHandleW(nullptr), nullptr);
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(owner));
    return window;
}

std::string Describe(UINT message, WPARAM wParam, const std::wstring& payload) {
    std::ostringstream text;
    text << message << " wParam=" << wParam;
    if (message == WM_COPYDATA) {
        text << " payload=\"";
        for (wchar_t c : payload) {
            if (c >= 32 && c < 127) text << static_cast<char>(c);
            else text << "\\u" << std::hex << static_cast<unsigned>(c) << std::dec;
        }
        text << "\"";
    }
    return text.str();
}

std::wstring AsText(const std::vector<BYTE>& bytes) {
    std::wstring text(bytes.size() / 2, L'\0');
    if (!text.empty()) memcpy(&text[0], bytes.data(), text.size() * 2);
    return text;
}

}  // namespace

::testing::AssertionResult SameSequence(const std::vector<RecordedMessage>& recorded,
                                        const std::vector<ExpectedMessage>& expected) {
    bool same = recorded.size() == expected.size();
    for (size_t i = 0; same && i < recorded.size(); ++i) {
        const RecordedMessage& got = recorded[i];
        const ExpectedMessage& want = expected[i];
        same = got.message == want.message && got.wParam == want.wParam;
        if (same && got.message == WM_COPYDATA) {
            std::vector<BYTE> wantBytes(want.payload.size() * 2);
            if (!wantBytes.empty()) memcpy(wantBytes.data(), want.payload.data(), wantBytes.size());
            same = got.dwData == 0 && got.payload == wantBytes;
        }
    }
    if (same) return ::testing::AssertionSuccess();
    auto failure = ::testing::AssertionFailure();
    failure << "\nexpected:";
    for (const ExpectedMessage& want : expected) failure << "\n  " << Describe(want.message, want.wParam, want.payload);
    failure << "\nrecorded:";
    for (const RecordedMessage& got : recorded)
        failure << "\n  " << Describe(got.message, got.wParam, AsText(got.payload))
                << (got.payload.size() % 2 ? " (odd byte count)" : "");
    return failure;
}

FakeItem::FakeItem() {
    window = CreateRecordingWindow(kItemClass, WindowProc, this);
    todaySection.Open(TODAY_SECTION_NAME);
}

FakeItem::~FakeItem() {
    Publish(0);
    DestroyWindow(window);
}

void FakeItem::Publish(DWORD handle) { todaySection.WriteHandle(handle); }

LRESULT CALLBACK FakeItem::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* item = reinterpret_cast<FakeItem*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    switch (message) {
    case WM_COPYDATA: {
        if (!item) break;
        const auto* data = reinterpret_cast<const COPYDATASTRUCT*>(lParam);
        const BYTE* bytes = static_cast<const BYTE*>(data->lpData);
        item->recorded.push_back(
            {message, wParam, data->dwData, std::vector<BYTE>(bytes, bytes ? bytes + data->cbData : bytes)});
        return 1;
    }
    case LINKM_MAIN_ATTACH:
    case LINKM_MAIN_DETACH:
    case LINKM_CLEAR:
    case LINKM_STATUS:
    case LINKM_SORT:
        if (!item) break;
        item->recorded.push_back({message, wParam, 0, {}});
        return 1;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

FakeNotificationArea::FakeNotificationArea() {
    window = CreateRecordingWindow(SHELL_NOTIFICATION_AREA_CLASS, WindowProc, this);
}

FakeNotificationArea::~FakeNotificationArea() { DestroyWindow(window); }

LRESULT CALLBACK FakeNotificationArea::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* area = reinterpret_cast<FakeNotificationArea*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (message == WM_COPYDATA && area) {
        const auto* data = reinterpret_cast<const COPYDATASTRUCT*>(lParam);
        if (data->cbData == sizeof(ShellNotificationRecord)) {
            const auto* record = static_cast<const ShellNotificationRecord*>(data->lpData);
            area->calls.push_back({static_cast<ShellNotificationOp>(data->dwData), record->clsid, record->id,
                                   std::wstring(record->html, wcsnlen(record->html, ARRAYSIZE(record->html)))});
        }
        return 1;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

std::wstring FakeNotificationArea::Shown() const {
    if (calls.empty() || calls.back().op != ShellNotificationOpAdd) return std::wstring();
    return calls.back().html;
}
