// A window that records the messages it receives, for message-flow tests in the style of table-driven
// sequence checks: what arrived (sent or posted) is compared with an expected table.
#pragma once
#include <windows.h>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>
#include <gtest/gtest.h>

enum class Delivery { Sent, Posted };

struct RecordedMessage {
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
    Delivery delivery;
    bool isCopyData = false;
    ULONG_PTR copyDataKind = 0;
    std::vector<BYTE> copyData;  // cbData bytes, copied while the message was handled
};

// One row of an expected sequence. wParam is compared only when given.
struct ExpectedMessage {
    UINT message;
    Delivery delivery;
    std::optional<WPARAM> wParam = std::nullopt;
};

class RecordingWindow {
public:
    // A top-level window unless a parent is given. Records messages from WM_USER up, and WM_COPYDATA.
    RecordingWindow(const wchar_t* className, const wchar_t* title, HWND parent = nullptr, int width = 240,
                    int height = 320);
    virtual ~RecordingWindow();
    RecordingWindow(const RecordingWindow&) = delete;
    RecordingWindow& operator=(const RecordingWindow&) = delete;

    HWND hwnd() const { return window; }
    const std::vector<RecordedMessage>& Messages() const { return messages; }
    std::vector<RecordedMessage> MessagesNumbered(UINT message) const;
    void Clear() { messages.clear(); }

    // Fixed answers per message number; unlisted recorded messages answer 0.
    std::map<UINT, LRESULT> answers;
    // Called for every recorded message before the fixed answers; a value is the answer.
    std::function<std::optional<LRESULT>(UINT, WPARAM, LPARAM)> onMessage;

protected:
    virtual std::optional<LRESULT> Handle(UINT message, WPARAM wParam, LPARAM lParam);

private:
    static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT Receive(UINT message, WPARAM wParam, LPARAM lParam, Delivery delivery);
    friend bool DispatchRecordingPosted(const MSG& msg);

    HWND window = nullptr;
    std::vector<RecordedMessage> messages;
};

// The pumps of platform/MessagePump.h, which take the posted messages of recording windows aside, in the
// shapes the tests use. That header is not included here: its PumpUntil template would take the tests'
// lambdas and answer a PumpResult instead of true or false.
enum class PumpResult;
// Processes every message queued for this thread now.
void PumpPending();
// Processes messages until done() holds or the time runs out; true when done() held.
bool PumpUntil(const std::function<bool()>& done, DWORD timeoutMs);
// Processes messages for a given time (timers fire meanwhile): the platform's own.
PumpResult PumpFor(DWORD milliseconds);

::testing::AssertionResult SequenceIs(const std::vector<RecordedMessage>& actual,
                                      const std::vector<ExpectedMessage>& expected);
