// The test's side of the link: a window that plays the item and records what the program sends it, and a
// window that plays the shell's notification area.
#pragma once
#include "WindowSection.h"
#include "platform/ShellNotificationArea.h"
#include <gtest/gtest.h>
#include <windows.h>
#include <string>
#include <vector>

struct RecordedMessage {
    UINT message;
    WPARAM wParam;
    ULONG_PTR dwData;           // copy-data only
    std::vector<BYTE> payload;  // copy-data only
};

// One row of an expected sequence; the payload counts for copy-data only.
struct ExpectedMessage {
    ExpectedMessage(UINT message, WPARAM wParam = 0, std::wstring payload = std::wstring())
        : message(message), wParam(wParam), payload(std::move(payload)) {}
    UINT message;
    WPARAM wParam;
    std::wstring payload;
};

// Compares in order and in number; the failure lists both sequences.
::testing::AssertionResult SameSequence(const std::vector<RecordedMessage>& recorded,
                                        const std::vector<ExpectedMessage>& expected);

class FakeItem {
public:
    FakeItem();
    ~FakeItem();
    HWND Window() const { return window; }
    // Writes our window (or `handle`) at offset 0 of "TodayFileMapping", as the item does when it starts.
    void Publish(DWORD handle);
    void Publish() { Publish(static_cast<DWORD>(reinterpret_cast<UINT_PTR>(window))); }

    std::vector<RecordedMessage> recorded;

private:
    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    HWND window = nullptr;
    WindowSection todaySection;
};

struct NotificationCall {
    ShellNotificationOp op;
    CLSID clsid;
    DWORD id;
    std::wstring html;  // adds only
};

class FakeNotificationArea {
public:
    FakeNotificationArea();
    ~FakeNotificationArea();
    std::vector<NotificationCall> calls;
    // The body of the entry now up ("" when none is): what a person reads in the area.
    std::wstring Shown() const;

private:
    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    HWND window = nullptr;
};
