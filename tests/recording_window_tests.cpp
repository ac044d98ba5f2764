// The sequence check itself: what tells two recordings apart, and what an optional row excuses.
#include "support/RecordingWindow.h"
#include "kit/LinkWire.h"
#include <gtest/gtest.h>

using namespace std::literals;

namespace {

const HWND kSender = reinterpret_cast<HWND>(static_cast<UINT_PTR>(0x1234));

RecordedMessage Received(UINT message, Delivery delivery, LPARAM lParam = 0) { return {message, 0, lParam, delivery}; }

RecordedMessage CopyData(ULONG_PTR kind, const std::wstring& text) {
    RecordedMessage m{WM_COPYDATA, reinterpret_cast<WPARAM>(kSender), 0, Delivery::Sent, true, kind};
    const auto* bytes = reinterpret_cast<const BYTE*>(text.data());
    m.copyData.assign(bytes, bytes + text.size() * sizeof(wchar_t));
    return m;
}

}  // namespace

TEST(SequenceIs, ComparesWhatEachRowGivesAndExcusesOnlyOptionalRows) {
    const RecordedMessage attach = Received(LINKM_ITEM_ATTACH, Delivery::Sent);
    const RecordedMessage ping = Received(LINKM_PING, Delivery::Sent);
    const ExpectedMessage attachRow{LINKM_ITEM_ATTACH, Delivery::Sent, 0, 0};
    const ExpectedMessage pingRow{LINKM_PING, Delivery::Sent, 0};
    const struct {
        const char* name;
        std::vector<RecordedMessage> received;
        std::vector<ExpectedMessage> expected;
        bool same;
    } cases[] = {
        {"sent against posted", {Received(LINKM_PING, Delivery::Posted)}, {pingRow}, false},
        {"lParam given", {Received(LINKM_ITEM_ATTACH, Delivery::Sent, 5)}, {attachRow}, false},
        {"optional row present", {attach, ping}, {attachRow, Optional(pingRow)}, true},
        {"optional row absent", {attach}, {attachRow, Optional(pingRow)}, true},
        {"optional row before its twin", {ping}, {Optional(pingRow), pingRow}, true},
        {"optional row excuses no extra", {attach, ping, ping}, {attachRow, Optional(pingRow)}, false},
        {"payload and kind", {CopyData(0, L"k1")}, {CopyDataFrom(kSender, L"k1")}, true},
        {"payload differs", {CopyData(0, L"k1\0"s)}, {CopyDataFrom(kSender, L"k1")}, false},
        {"kind differs", {CopyData(1, L"k1")}, {CopyDataFrom(kSender, L"k1")}, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(static_cast<bool>(SequenceIs(c.received, c.expected)), c.same);
    }
    // A payload mismatch names both texts, escapes included.
    const std::string failure = SequenceIs({CopyData(0, L"k1\0x"s)}, {CopyDataFrom(kSender, L"k2")}).message();
    EXPECT_NE(failure.find("payload \"k2\""), std::string::npos) << failure;
    EXPECT_NE(failure.find("payload \"k1\\u0000x\""), std::string::npos) << failure;
}
