// A test that plays the item: its recording window is published in "TodayFileMapping", a notification area
// records the shell calls, and the program under test runs as a child process.
#pragma once
#include "FakeItem.h"
#include "support/NotificationArea.h"
#include "support/PeerProcess.h"
#include "PeerNames.h"
#include "kit/LinkWire.h"
#include "platform/ScopedHandles.h"
#include <gtest/gtest.h>

class PeerTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(nullptr, FindWindowW(MAIN_WINDOW_CLASS, nullptr)) << "a stand-in from elsewhere is running";
        // Held open by the test, so that what the program leaves in it can be read after it has ended.
        mainSection.WriteHandle(DWORD(0));
        item.Publish();
    }

    void TearDown() override { peer.End(); }

    // Starts the main instance and waits until it says it is ready (or has ended).
    ::testing::AssertionResult StartPeer(const std::wstring& arguments) { return ready.Start(peer, arguments); }

    HWND PublishedPeer() { return reinterpret_cast<HWND>(static_cast<UINT_PTR>(mainSection.ReadHandle())); }

    // The full push as the item receives it: attach, the notices, sort.
    std::vector<ExpectedMessage> Push(const std::vector<std::wstring>& payloads) {
        const HWND from = PublishedPeer();
        std::vector<ExpectedMessage> push = {{LINKM_MAIN_ATTACH, Delivery::Sent, reinterpret_cast<WPARAM>(from), 0}};
        for (const std::wstring& payload : payloads) push.push_back(CopyDataFrom(from, payload));
        push.push_back(kSort);
        return push;
    }
    static inline const ExpectedMessage kSort = {LINKM_SORT, Delivery::Sent, 0, 0};
    // The program's detach, on the command or at a normal exit.
    static inline const std::vector<ExpectedMessage> kGoodbye = {{LINKM_MAIN_DETACH, Delivery::Sent, 0, 0}};

    FakeItem item;
    NotificationAreaWindow notificationArea;
    HeldSection mainSection{MAIN_SECTION_NAME};
    PeerReady ready;
    ChildProcess peer;
    ScratchFolder scratch;
};
