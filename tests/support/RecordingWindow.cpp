#include "RecordingWindow.h"
#include "toolbox/WindowObject.h"
#include <algorithm>
#include <cstring>
#include <iomanip>
#include <mutex>
#include <sstream>

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

bool IsRecorded(UINT message) { return message >= WM_USER || message == WM_COPYDATA; }

const char* DeliveryName(Delivery delivery) { return delivery == Delivery::Sent ? "sent" : "posted"; }

std::mutex sequenceLock;  // recorders on other threads write too
std::vector<RecordedMessage> sequence;

}  // namespace

void Record(RecordedMessage row) {
    std::lock_guard<std::mutex> guard(sequenceLock);
    sequence.push_back(std::move(row));
}

std::vector<RecordedMessage> Recorded() {
    std::lock_guard<std::mutex> guard(sequenceLock);
    return sequence;
}

std::vector<RecordedMessage> RecordedBy(HWND window) {
    std::lock_guard<std::mutex> guard(sequenceLock);
    std::vector<RecordedMessage> rows;
    for (const RecordedMessage& row : sequence)
        if (row.window == window) rows.push_back(row);
    return rows;
}

void ClearRecorded() {
    std::lock_guard<std::mutex> guard(sequenceLock);
    sequence.clear();
}

std::vector<RecordedMessage> Numbered(const std::vector<RecordedMessage>& rows, UINT message) {
    std::vector<RecordedMessage> found;
    for (const RecordedMessage& row : rows)
        if (row.message == message) found.push_back(row);
    return found;
}

// Every pump of the process hands it the messages it takes from the queue first (toolbox SetMessageFilter).
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
        LetGoOfWindowObject(window);
        DestroyWindow(window);
    }
}

std::vector<RecordedMessage> RecordingWindow::MessagesNumbered(UINT message) const {
    return Numbered(Messages(), message);
}

void RecordingWindow::Clear() {
    std::lock_guard<std::mutex> guard(sequenceLock);
    sequence.erase(std::remove_if(sequence.begin(), sequence.end(),
                                  [this](const RecordedMessage& row) { return row.window == window; }),
                   sequence.end());
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
    Record(RecordedMessage::Of(message, wParam, lParam, delivery, window));
    return *Handle(message, wParam, lParam);
}

LRESULT CALLBACK RecordingWindow::Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    RecordingWindow* self = WindowObject<RecordingWindow>(window, message, lParam);
    if (message == WM_NCCREATE && self) self->window = window;  // rows recorded during creation name it too
    if (self && IsRecorded(message)) return self->Receive(message, wParam, lParam, Delivery::Sent);
    return DefWindowProcW(window, message, wParam, lParam);
}

// Posted messages are taken off the queue here, so the recording knows them apart from sent ones.
bool DispatchRecordingPosted(const MSG& msg) {
    if (!msg.hwnd || !IsRecorded(msg.message)) return false;
    // Only a recording window's user data is a recording window.
    WNDPROC procedure = reinterpret_cast<WNDPROC>(GetWindowLongPtrW(msg.hwnd, GWLP_WNDPROC));
    if (procedure != RecordingWindow::Procedure) return false;
    RecordingWindow* self = WindowObject<RecordingWindow>(msg.hwnd);
    if (!self) return false;
    self->Receive(msg.message, msg.wParam, msg.lParam, Delivery::Posted);
    return true;
}

RecordedMessage RecordedMessage::Of(UINT message, WPARAM wParam, LPARAM lParam, Delivery delivery, HWND window) {
    RecordedMessage record{message, wParam, lParam, delivery};
    record.window = window;
    if (message == WM_COPYDATA && lParam) {
        const auto* data = reinterpret_cast<const COPYDATASTRUCT*>(lParam);
        record.isCopyData = true;
        record.copyDataKind = data->dwData;
        if (data->lpData && data->cbData)
            record.copyData.assign(static_cast<const BYTE*>(data->lpData),
                                   static_cast<const BYTE*>(data->lpData) + data->cbData);
    }
    return record;
}

std::wstring RecordedMessage::CopyDataText() const {
    std::wstring text(copyData.size() / sizeof(wchar_t), L'\0');
    if (!text.empty()) memcpy(&text[0], copyData.data(), text.size() * sizeof(wchar_t));
    return text;
}

ExpectedMessage Optional(ExpectedMessage row) {
    row.optional = true;
    return row;
}

ExpectedMessage To(HWND window, ExpectedMessage row) {
    row.window = window;
    return row;
}

ExpectedMessage CopyDataFrom(HWND sender, std::wstring payload) {
    ExpectedMessage row{WM_COPYDATA, Delivery::Sent, reinterpret_cast<WPARAM>(sender)};
    row.copyDataKind = 0;
    row.payload = std::move(payload);
    return row;
}

namespace {

bool Matches(const ExpectedMessage& e, const RecordedMessage& a) {
    if (a.message != e.message || a.delivery != e.delivery) return false;
    if (e.window && *e.window != a.window) return false;
    if (e.wParam && *e.wParam != a.wParam) return false;
    if (e.lParam && *e.lParam != a.lParam) return false;
    if (e.copyDataKind && (!a.isCopyData || *e.copyDataKind != a.copyDataKind)) return false;
    if (e.payload) {
        const auto* bytes = reinterpret_cast<const BYTE*>(e.payload->data());
        if (!a.isCopyData || a.copyData != std::vector<BYTE>(bytes, bytes + e.payload->size() * sizeof(wchar_t)))
            return false;
    }
    return true;
}

// Whether expected[i...] can stand for actual[j...], each optional row taken or left out. Sequences are
// short, so the table of every (i, j) costs nothing; a greedy walk would reject [optional A, A] against [A].
bool SequenceMatches(const std::vector<RecordedMessage>& actual, const std::vector<ExpectedMessage>& expected) {
    const size_t rows = expected.size(), got = actual.size();
    std::vector<std::vector<char>> fits(rows + 1, std::vector<char>(got + 1, 0));
    fits[rows][got] = 1;
    for (size_t i = rows; i-- > 0;) {
        for (size_t j = got + 1; j-- > 0;) {
            bool fit = expected[i].optional && fits[i + 1][j];
            if (!fit && j < got) fit = Matches(expected[i], actual[j]) && fits[i + 1][j + 1];
            fits[i][j] = fit;
        }
    }
    return fits[0][0] != 0;
}

std::string Escaped(const std::wstring& text) {
    std::ostringstream out;
    for (wchar_t c : text) {
        if (c >= 32 && c < 127 && c != L'\\') out << static_cast<char>(c);
        else out << "\\u" << std::hex << std::setw(4) << std::setfill('0') << static_cast<unsigned>(c) << std::dec;
    }
    return out.str();
}

std::string Describe(const ExpectedMessage& e) {
    std::ostringstream line;
    if (e.window) line << "to " << *e.window << ": ";
    line << e.message << " " << DeliveryName(e.delivery);
    if (e.wParam) line << " wParam " << *e.wParam;
    if (e.lParam) line << " lParam " << *e.lParam;
    if (e.copyDataKind) line << " kind " << *e.copyDataKind;
    if (e.payload) line << " payload \"" << Escaped(*e.payload) << "\"";
    if (e.optional) line << " (optional)";
    return line.str();
}

std::string Describe(const RecordedMessage& a) {
    std::ostringstream line;
    if (a.window) line << "to " << a.window << ": ";
    line << a.message << " " << DeliveryName(a.delivery) << " wParam " << a.wParam << " lParam " << a.lParam;
    if (a.isCopyData) {
        line << " kind " << a.copyDataKind << " payload \"" << Escaped(a.CopyDataText()) << "\"";
        if (a.copyData.size() % 2) line << " (odd byte count)";
    }
    return line.str();
}

}  // namespace

::testing::AssertionResult SequenceIs(const std::vector<RecordedMessage>& actual,
                                      const std::vector<ExpectedMessage>& expected) {
    if (SequenceMatches(actual, expected)) return ::testing::AssertionSuccess();
    // Side by side, in a greedy walk that passes over optional rows which do not fit.
    std::ostringstream diff;
    size_t i = 0, j = 0;
    while (i < expected.size() || j < actual.size()) {
        if (i < expected.size() && j < actual.size() && Matches(expected[i], actual[j])) {
            diff << "  expected " << Describe(expected[i++]) << " | got " << Describe(actual[j++]) << "\n";
        } else if (i < expected.size() && expected[i].optional) {
            diff << "  expected " << Describe(expected[i++]) << " | absent\n";
        } else {
            diff << "! expected " << (i < expected.size() ? Describe(expected[i++]) : "nothing") << " | got "
                 << (j < actual.size() ? Describe(actual[j++]) : "nothing") << "\n";
        }
    }
    return ::testing::AssertionFailure() << "message sequence differs:\n" << diff.str();
}
