#include "RecordingWindow.h"
#include <sstream>
#include "platform/MessagePump.h"

namespace {

void RegisterOnce(const wchar_t* className, WNDPROC procedure) {
    WNDCLASSW existing;
    if (GetClassInfoW(GetModuleHandleW(nullptr), className, &existing)) return;
    WNDCLASSW windowClass = {};
    windowClass.lpfnWndProc = procedure;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.lpszClassName = className;
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    RegisterClassW(&windowClass);
}

bool Recorded(UINT message) { return message >= WM_USER || message == WM_COPYDATA; }

RecordingWindow* FromWindow(HWND window) {
    return reinterpret_cast<RecordingWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
}

const char* DeliveryName(Delivery delivery) { return delivery == Delivery::Sent ? "sent" : "posted"; }

}  // namespace

// Every pump of the process hands it the messages it takes from the queue first (platform SetMessageFilter).
bool DispatchRecordingPosted(const MSG& msg);

RecordingWindow::RecordingWindow(const wchar_t* className, const wchar_t* title, HWND parent, int width, int height) {
    RegisterOnce(className, Procedure);
    SetMessageFilter(DispatchRecordingPosted);
    DWORD style = parent ? (WS_CHILD | WS_VISIBLE) : (WS_POPUP | WS_VISIBLE);
    window = CreateWindowExW(0, className, title, style, 0, 0, width, height, parent, nullptr,
                             GetModuleHandleW(nullptr), this);
}

RecordingWindow::~RecordingWindow() {
    if (window) {
        SetWindowLongPtrW(window, GWLP_USERDATA, 0);
        DestroyWindow(window);
    }
}

std::vector<RecordedMessage> RecordingWindow::MessagesNumbered(UINT message) const {
    std::vector<RecordedMessage> found;
    for (const auto& m : messages)
        if (m.message == message) found.push_back(m);
    return found;
}

std::optional<LRESULT> RecordingWindow::Handle(UINT message, WPARAM wParam, LPARAM lParam) {
    if (onMessage) {
        if (auto answer = onMessage(message, wParam, lParam)) return answer;
    }
    auto fixed = answers.find(message);
    if (fixed != answers.end()) return fixed->second;
    return LRESULT(0);
}

LRESULT RecordingWindow::Receive(UINT message, WPARAM wParam, LPARAM lParam, Delivery delivery) {
    RecordedMessage record{message, wParam, lParam, delivery};
    if (message == WM_COPYDATA && lParam) {
        const auto* data = reinterpret_cast<const COPYDATASTRUCT*>(lParam);
        record.isCopyData = true;
        record.copyDataKind = data->dwData;
        if (data->lpData && data->cbData)
            record.copyData.assign(static_cast<const BYTE*>(data->lpData),
                                   static_cast<const BYTE*>(data->lpData) + data->cbData);
    }
    messages.push_back(record);
    return *Handle(message, wParam, lParam);
}

LRESULT CALLBACK RecordingWindow::Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* create = reinterpret_cast<CREATESTRUCTW*>(lParam);
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    }
    RecordingWindow* self = FromWindow(window);
    if (self && Recorded(message)) return self->Receive(message, wParam, lParam, Delivery::Sent);
    return DefWindowProcW(window, message, wParam, lParam);
}

// Posted messages are taken off the queue here, so the recording knows them apart from sent ones.
bool DispatchRecordingPosted(const MSG& msg) {
    RecordingWindow* self = msg.hwnd ? FromWindow(msg.hwnd) : nullptr;
    if (!self || !Recorded(msg.message)) return false;
    WNDPROC procedure = reinterpret_cast<WNDPROC>(GetWindowLongPtrW(msg.hwnd, GWLP_WNDPROC));
    if (procedure != RecordingWindow::Procedure) return false;
    self->Receive(msg.message, msg.wParam, msg.lParam, Delivery::Posted);
    return true;
}

void PumpPending() { DrainMessages(); }

bool PumpUntil(const std::function<bool()>& done, DWORD timeoutMs) {
    // A lambda, so that the platform's template is called and not this function again.
    return PumpUntil([&done] { return done(); }, timeoutMs) == PumpResult::Done;
}

::testing::AssertionResult SequenceIs(const std::vector<RecordedMessage>& actual,
                                      const std::vector<ExpectedMessage>& expected) {
    std::ostringstream diff;
    bool same = actual.size() == expected.size();
    for (size_t i = 0; i < actual.size() || i < expected.size(); ++i) {
        std::ostringstream line;
        bool rowSame = true;
        if (i < expected.size()) {
            const auto& e = expected[i];
            line << "expected " << e.message << " " << DeliveryName(e.delivery);
            if (e.wParam) line << " wParam " << *e.wParam;
        } else {
            line << "expected nothing";
            rowSame = false;
        }
        if (i < actual.size()) {
            const auto& a = actual[i];
            line << " | got " << a.message << " " << DeliveryName(a.delivery) << " wParam " << a.wParam;
            if (i < expected.size()) {
                const auto& e = expected[i];
                rowSame = a.message == e.message && a.delivery == e.delivery && (!e.wParam || *e.wParam == a.wParam);
            }
        } else {
            line << " | got nothing";
            rowSame = false;
        }
        if (!rowSame) same = false;
        diff << (rowSame ? "  " : "! ") << line.str() << "\n";
    }
    if (same) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "message sequence differs:\n" << diff.str();
}
