// A test that plays the item: its recording window is published in "TodayFileMapping", a notification area
// records the shell calls, and the program under test runs as a child process.
#pragma once
#include "FakeItem.h"
#include "support/PeerProcess.h"
#include "PeerNames.h"
#include "WindowSection.h"
#include "link/LinkProtocol.h"
#include "platform/ScopedHandles.h"
#include <gtest/gtest.h>

class PeerTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(nullptr, FindWindowW(MAIN_WINDOW_CLASS, nullptr)) << "a stand-in from elsewhere is running";
        ready.Reset(CreateEventW(nullptr, TRUE, FALSE, PEER_READY_EVENT_NAME));
        ResetEvent(ready.get());
        // Held open by the test, so that what the program leaves in it can be read after it has ended.
        mainSection.Open(MAIN_SECTION_NAME);
        mainSection.WriteHandle(0);
        item.Publish();
    }

    void TearDown() override {
        peer.End();
        ready.Reset();
    }

    // Starts the main instance and waits until it says it is ready (or has ended).
    ::testing::AssertionResult StartPeer(const std::wstring& arguments, const EnvironmentOverrides& environment = {}) {
        if (!peer.Start(arguments, environment)) return ::testing::AssertionFailure() << "cannot start the program";
        return WaitUntilReady();
    }

    ::testing::AssertionResult WaitUntilReady() {
        int signalled = PumpUntil({ready.get(), peer.Handle()});
        if (signalled == 0) return ::testing::AssertionSuccess();
        return ::testing::AssertionFailure() << (signalled == 1 ? "the program ended early, exit code " : "no ready ")
                                             << peer.ExitCode() << ": " << peer.ErrorOutput();
    }

    HWND PublishedPeer() { return reinterpret_cast<HWND>(static_cast<UINT_PTR>(mainSection.ReadHandle())); }

    // The start-up push as the item receives it.
    std::vector<ExpectedMessage> Push(const std::vector<std::wstring>& payloads) {
        std::vector<ExpectedMessage> push = {{LINKM_MAIN_ATTACH, reinterpret_cast<WPARAM>(PublishedPeer())}};
        for (const std::wstring& payload : payloads)
            push.push_back({WM_COPYDATA, reinterpret_cast<WPARAM>(PublishedPeer()), payload});
        push.push_back({LINKM_SORT});
        return push;
    }

    FakeItem item;
    FakeNotificationArea notificationArea;
    WindowSection mainSection;
    KernelHandle ready;
    ChildProcess peer;
    ScratchFolder scratch;
};
