#include "ThreadedMainApplication.h"
#include "toolbox/MessagePump.h"
#include "toolbox/WindowObject.h"

namespace {
// Only a reverted fix waits this long: a hold is always released by the test well before.
constexpr DWORD HOLD_SAFETY_MS = 15000;
}  // namespace

ThreadedMainApplication::ThreadedMainApplication() : ThreadedMainApplication(Options()) {}

ThreadedMainApplication::ThreadedMainApplication(const Options& options)
    : options(options),
      created(CreateEventW(nullptr, TRUE, FALSE, nullptr)),
      released(CreateEventW(nullptr, TRUE, FALSE, nullptr)),
      stop(CreateEventW(nullptr, TRUE, FALSE, nullptr)) {
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

std::vector<RecordedMessage> ThreadedMainApplication::Messages() const { return RecordedBy(window); }

int ThreadedMainApplication::Received(UINT message) const {
    int count = 0;
    for (const RecordedMessage& m : Messages()) count += m.message == message;
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
        // Sent ones come from the item's thread; whatever this thread takes off its queue was posted.
        const Delivery delivery = InSendMessageEx(nullptr) == ISMEX_NOSEND ? Delivery::Posted : Delivery::Sent;
        if (FromItem(message)) Record(RecordedMessage::Of(message, wParam, lParam, delivery, window));
        auto found = reactions.find(message);
        if (found != reactions.end()) reaction = found->second;
        auto fixed = answers.find(message);
        if (fixed != answers.end()) answer = fixed->second;
    }
    if (reaction) reaction(*this);
    return answer;
}

LRESULT CALLBACK ThreadedMainApplication::Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* self = WindowObject<ThreadedMainApplication>(window, message, lParam);
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
                                   self->options.parent, nullptr, GetModuleHandleW(nullptr), self);
    SetEvent(self->created.get());
    if (self->options.hungFromStart) self->WaitForRelease();
    // Its own loop, not the platform pump: that one's state belongs to the test's thread.
    MSG message;
    HANDLE stop = self->stop.get();
    while (MsgWaitForMultipleObjects(1, &stop, FALSE, INFINITE, QS_ALLINPUT) == WAIT_OBJECT_0 + 1) {
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&message);
    }
    LetGoOfWindowObject(self->window);
    DestroyWindow(self->window);
    return 0;
}
