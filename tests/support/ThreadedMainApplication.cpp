#include "ThreadedMainApplication.h"
#include "platform/MessagePump.h"

namespace {
constexpr wchar_t THREADED_MAIN_PROPERTY[] = L"ThreadedMainApplication";
// Only a reverted fix waits this long: a hold is always released by the test well before.
constexpr DWORD HOLD_SAFETY_MS = 15000;

bool FromItem(UINT message) {
    return message == LINKM_ITEM_ATTACH || message == LINKM_ITEM_DETACH || message == LINKM_PING ||
           message == LINKM_ACTIVATE || message == WM_COPYDATA;
}
}  // namespace

void PrintTo(const ThreadedMainApplication::Arrival& arrival, std::ostream* os) {
    static const std::map<UINT, const char*> names = {{LINKM_ITEM_ATTACH, "item attach"},
                                                      {LINKM_ITEM_DETACH, "goodbye"},
                                                      {LINKM_PING, "ping"},
                                                      {LINKM_ACTIVATE, "activate"}};
    const auto name = names.find(arrival.message);
    if (arrival.message == WM_COPYDATA) *os << "key \"" << std::string(arrival.key.begin(), arrival.key.end()) << "\"";
    else if (name != names.end()) *os << name->second;
    else *os << arrival.message;
}

ThreadedMainApplication::ThreadedMainApplication() : ThreadedMainApplication(Options()) {}

ThreadedMainApplication::ThreadedMainApplication(const Options& options)
    : options(options),
      created(CreateEventW(nullptr, TRUE, FALSE, nullptr)),
      released(CreateEventW(nullptr, TRUE, FALSE, nullptr)),
      stop(CreateEventW(nullptr, TRUE, FALSE, nullptr)) {
    answers = {{LINKM_PING, 1}, {LINKM_ACTIVATE, 1}, {WM_COPYDATA, 1}};
    thread.Reset(CreateThread(nullptr, 0, Run, this, 0, nullptr));
    // Answering meanwhile: a child window's creation tells its parent on this thread.
    HANDLE waits[] = {created.get(), thread.get()};
    PumpUntilAnySignalled(waits, 2, INFINITE);
}

ThreadedMainApplication::~ThreadedMainApplication() { End(); }

void ThreadedMainApplication::End() {
    SetEvent(released.get());
    SetEvent(stop.get());
    // This thread keeps answering while the other one destroys its window and ends.
    if (PumpUntilSignalled(thread.get(), INFINITE) != PumpResult::Done) WaitForSingleObject(thread.get(), INFINITE);
}

void ThreadedMainApplication::ReactTo(UINT message, Reaction reaction) {
    std::lock_guard<std::mutex> guard(lock);
    reactions[message] = std::move(reaction);
}

void ThreadedMainApplication::Answer(UINT message, LRESULT value) {
    std::lock_guard<std::mutex> guard(lock);
    answers[message] = value;
}

void ThreadedMainApplication::HoldOn(UINT message) {
    ResetEvent(released.get());
    ReactTo(message, [](ThreadedMainApplication& self) { self.WaitForRelease(); });
}

void ThreadedMainApplication::Release() { SetEvent(released.get()); }

void ThreadedMainApplication::WaitForRelease() {
    if (WaitForSingleObject(released.get(), HOLD_SAFETY_MS) != WAIT_OBJECT_0) heldTooLong = true;
}

void ThreadedMainApplication::Crash() { ExitThread(3); }

std::vector<ThreadedMainApplication::Arrival> ThreadedMainApplication::Arrivals() const {
    std::lock_guard<std::mutex> guard(lock);
    return arrivals;
}

int ThreadedMainApplication::Received(UINT message) const {
    int count = 0;
    for (const Arrival& arrival : Arrivals()) count += arrival.message == message;
    return count;
}

bool ThreadedMainApplication::WaitFor(UINT message, DWORD timeoutMs) const {
    return PumpUntil([&] { return Received(message) > 0; }, timeoutMs) == PumpResult::Done;
}

void ThreadedMainApplication::Sync() const {
    if (IsWindow(window)) SendMessageW(window, WM_NULL, 0, 0);
}

LRESULT ThreadedMainApplication::Receive(UINT message, WPARAM wParam, LPARAM lParam) {
    Reaction reaction;
    LRESULT answer = 1;
    {
        std::lock_guard<std::mutex> guard(lock);
        if (FromItem(message)) {
            Arrival arrival{message, {}};
            const auto* data = reinterpret_cast<const COPYDATASTRUCT*>(lParam);
            if (message == WM_COPYDATA && data && data->dwData == 0 && data->lpData)
                arrival.key.assign(static_cast<const wchar_t*>(data->lpData), data->cbData / sizeof(wchar_t));
            arrivals.push_back(arrival);
        }
        auto found = reactions.find(message);
        if (found != reactions.end()) reaction = found->second;
        auto fixed = answers.find(message);
        if (fixed != answers.end()) answer = fixed->second;
    }
    if (reaction) reaction(*this);
    return answer;
}

LRESULT CALLBACK ThreadedMainApplication::Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* self = static_cast<ThreadedMainApplication*>(GetPropW(window, THREADED_MAIN_PROPERTY));
    if (!self || (message < WM_USER && message != WM_COPYDATA)) return DefWindowProcW(window, message, wParam, lParam);
    return self->Receive(message, wParam, lParam);
}

DWORD WINAPI ThreadedMainApplication::Run(void* parameter) {
    auto* self = static_cast<ThreadedMainApplication*>(parameter);
    WNDCLASSW windowClass = {};
    windowClass.lpfnWndProc = Procedure;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.lpszClassName = self->options.className;
    RegisterClassW(&windowClass);  // fails harmlessly when an earlier instance registered it
    // Hidden, so that only the item's request shows it.
    const DWORD style = self->options.parent ? WS_CHILD : WS_POPUP;
    self->window = CreateWindowExW(0, self->options.className, self->options.title, style, 0, 0, 100, 100,
                                   self->options.parent, nullptr, GetModuleHandleW(nullptr), nullptr);
    SetPropW(self->window, THREADED_MAIN_PROPERTY, self);
    SetEvent(self->created.get());
    if (self->options.hungFromStart) self->WaitForRelease();
    // Its own loop, not the platform pump: that one's state belongs to the test's thread.
    MSG message;
    HANDLE stop = self->stop.get();
    while (MsgWaitForMultipleObjects(1, &stop, FALSE, INFINITE, QS_ALLINPUT) == WAIT_OBJECT_0 + 1) {
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&message);
    }
    RemovePropW(self->window, THREADED_MAIN_PROPERTY);
    DestroyWindow(self->window);
    return 0;
}
