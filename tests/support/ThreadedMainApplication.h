// The messenger's main application with its window on a thread of its own, as the real one lives in its own
// process: whatever the item sends it waits for that thread, which the test holds and releases with events.
// It records what the item sends it as a recording window does, answers as a main application window does
// (and 1 to anything else) unless told otherwise, and can react to a message on its own thread before
// answering: hold until released, talk back to the item, or end its thread without answering (a crash).
#pragma once
#include "MainApplication.h"
#include "platform/ScopedHandles.h"
#include <functional>
#include <map>
#include <mutex>
#include <vector>

class ThreadedMainApplication {
public:
    struct Options {
        const wchar_t* className = MAIN_WINDOW_CLASS;
        const wchar_t* title = MAIN_WINDOW_TITLE_LATIN;
        HWND parent = nullptr;       // a child of this window instead of a hidden top-level window
        bool hungFromStart = false;  // takes no message until Release()
    };
    // Under a class of its own, which no search for the real main application finds.
    static Options Unlisted(bool hungFromStart) {
        return {L"TestUnlistedMainApplication", L"", nullptr, hungFromStart};
    }
    using Reaction = std::function<void(ThreadedMainApplication& self)>;

    ThreadedMainApplication();
    explicit ThreadedMainApplication(const Options& options);
    ~ThreadedMainApplication();  // releases it and ends its thread
    ThreadedMainApplication(const ThreadedMainApplication&) = delete;
    ThreadedMainApplication& operator=(const ThreadedMainApplication&) = delete;

    HWND hwnd() const { return window; }
    // Runs on its thread each time the message arrives, before the answer.
    void ReactTo(UINT message, Reaction reaction);
    void Answer(UINT message, LRESULT value);
    // From the next arrival of the message on, it stops there until Release().
    void HoldOn(UINT message);
    void Release();
    // Within a reaction: ends the thread at once, unanswered; the system destroys its window.
    [[noreturn]] void Crash();
    // From the test: a normal end without a goodbye (released first).
    void End();

    // What the item sent it (FromItem), in order: its window's rows of the one sequence.
    std::vector<RecordedMessage> Messages() const;
    int Received(UINT message) const;
    // Waits (dispatching this thread's messages) until the message has arrived; false after the bound.
    bool WaitFor(UINT message, DWORD timeoutMs = 10000) const;
    // Returns once it has handled everything sent to it so far.
    void Sync() const;
    // True when a hold ended by its safety bound instead of Release(): someone waited on it without bound.
    bool HeldTooLong() const { return heldTooLong; }

private:
    static DWORD WINAPI Run(void* self);
    static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT Receive(UINT message, WPARAM wParam, LPARAM lParam);
    void WaitForRelease();

    Options options;
    KernelHandle created, released, stop, thread;
    HWND window = nullptr;
    mutable std::mutex lock;  // guards the two below
    std::map<UINT, Reaction> reactions;
    std::map<UINT, LRESULT> answers = kMainApplicationAnswers;
    volatile bool heldTooLong = false;
};
