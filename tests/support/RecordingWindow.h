// A window that records the messages it receives, for message-flow tests in the style of table-driven
// sequence checks: what arrived (sent or posted) is compared with an expected table. The item's, the stand-in's
// and the host's tests share it. Every recorder of the process (these windows, the threaded main application,
// the host's test items) writes into one sequence, each row naming the window that received it, so that an
// ordering across windows and programs reads as one table.
#pragma once
#include <windows.h>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>
#include <gtest/gtest.h>
#include "toolbox/MessagePump.h"

enum class Delivery { Sent, Posted };

struct RecordedMessage {
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
    Delivery delivery;
    bool isCopyData = false;
    ULONG_PTR copyDataKind = 0;
    std::vector<BYTE> copyData = {};  // cbData bytes, copied while the message was handled
    HWND window = nullptr;            // the window that received it

    // As a window procedure receives it; a copy-data's bytes are copied while it is handled.
    static RecordedMessage Of(UINT message, WPARAM wParam, LPARAM lParam, Delivery delivery, HWND window = nullptr);
    // The copy-data bytes as UTF-16 text (an odd last byte left out).
    std::wstring CopyDataText() const;
};

// One row of an expected sequence. Each parameter is compared only when given; a payload makes the row
// a copy-data whose bytes are exactly that text's UTF-16. An optional row may be missing from what was
// received (a message that comes or not, depending on timing or the platform).
struct ExpectedMessage {
    UINT message;
    Delivery delivery;
    std::optional<WPARAM> wParam = std::nullopt;
    std::optional<LPARAM> lParam = std::nullopt;
    std::optional<ULONG_PTR> copyDataKind = std::nullopt;
    std::optional<std::wstring> payload = std::nullopt;
    bool optional = false;
    std::optional<HWND> window = std::nullopt;
};

// The same row marked as one that may be missing.
ExpectedMessage Optional(ExpectedMessage row);
// The same row, received by that window.
ExpectedMessage To(HWND window, ExpectedMessage row);
// A sent WM_COPYDATA of kind 0 (the link's notices and keys) from `sender`, carrying `payload`.
ExpectedMessage CopyDataFrom(HWND sender, std::wstring payload);

// The one sequence: every row recorded in this process, in the order they came. Any thread may record.
void Record(RecordedMessage row);
std::vector<RecordedMessage> Recorded();
// The rows of one window, in order.
std::vector<RecordedMessage> RecordedBy(HWND window);
void ClearRecorded();
// The rows of one message number, in order.
std::vector<RecordedMessage> Numbered(const std::vector<RecordedMessage>& rows, UINT message);

class RecordingWindow {
public:
    // A top-level window unless a parent is given. Records messages from WM_USER up, and WM_COPYDATA.
    RecordingWindow(const wchar_t* className, const wchar_t* title, HWND parent = nullptr, int width = 240,
                    int height = 320);
    virtual ~RecordingWindow();
    RecordingWindow(const RecordingWindow&) = delete;
    RecordingWindow& operator=(const RecordingWindow&) = delete;

    HWND hwnd() const { return window; }
    // This window's rows of the one sequence.
    std::vector<RecordedMessage> Messages() const { return RecordedBy(window); }
    std::vector<RecordedMessage> MessagesNumbered(UINT message) const;
    // Drops this window's rows.
    void Clear();

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
};

// Compares in order and in number, optional rows aside; the failure lists both sequences side by side.
::testing::AssertionResult SequenceIs(const std::vector<RecordedMessage>& actual,
                                      const std::vector<ExpectedMessage>& expected);
