// Keys, taps, the selection between items, and the options dialog.
#include <gtest/gtest.h>
#include "HostTestSupport.h"

namespace {

// What the host sends an item for a key or the selection.
ExpectedMessage Navigation(HWND item, UINT key) {
    return To(item, {WM_TODAYCUSTOM_USERNAVIGATION, Delivery::Sent, key});
}
ExpectedMessage Received(HWND item, UINT key) {
    return To(item, {WM_TODAYCUSTOM_RECEIVEDSELECTION, Delivery::Sent, key});
}
ExpectedMessage Lost(HWND item) { return To(item, {WM_TODAYCUSTOM_LOSTSELECTION, Delivery::Sent}); }

class HostSelection : public HostTest {
protected:
    void SetUp() override {
        TestRegistration plain{L"Plain", 'A', 0};
        plain.selectability = TODAY_SELECTABILITY_NOTSELECTABLE;
        registry.Add(plain);
        registry.Add({L"Shy", 'B', 1, TEST_ITEM_FLAGS(20, 0) | TEST_ITEM_REFUSE_SELECTION});
        registry.Add({L"Open", 'C', 2, TEST_ITEM_FLAGS(20, 0)});
    }
    void StartHost() {
        ASSERT_TRUE(HostTest::StartHost());
        ClearRecorded();  // only what follows the start counts
    }
    std::wstring SelectedName() const { return host->Selected() ? host->Selected()->Name() : L"none"; }
    HWND Window(const wchar_t* name) { return Item(name).window; }
    // Presses the key with a fresh recording: where the selection is then, and everything the items received.
    void Press(UINT key, const wchar_t* selected, const std::vector<ExpectedMessage>& received) {
        SCOPED_TRACE("key " + std::to_string(key));
        ClearRecorded();
        host->PressKey(key);
        EXPECT_EQ(selected, SelectedName());
        EXPECT_TRUE(SequenceIs(Recorded(), received));
    }
};

TEST_F(HostSelection, DownGoesToTheFirstItemThatAcceptsPassingOverTheOthers) {
    registry.Add({L"Last", 'A', 3});
    StartHost();
    const HWND shy = Window(L"Shy"), open = Window(L"Open"), last = Window(L"Last");
    Press(VK_DOWN, L"Open", {Received(shy, VK_DOWN), Received(open, VK_DOWN)});  // Plain is never asked
    // The selected item may use the key first; the next one takes the selection; then the first loses it.
    Press(VK_DOWN, L"Last", {Navigation(open, VK_DOWN), Received(last, VK_DOWN), Lost(open)});
    Press(VK_UP, L"Open", {Navigation(last, VK_UP), Received(open, VK_UP), Lost(last)});
}

TEST_F(HostSelection, TheSelectionStaysWhenNoItemFurtherOnTakesIt) {
    StartHost();
    host->PressKey(VK_DOWN);
    Press(VK_DOWN, L"Open", {Navigation(Window(L"Open"), VK_DOWN)});
}

TEST_F(HostSelection, AnItemThatUsesUpAndDownKeepsTheSelection) {
    registry.Add({L"Greedy", 'A', 0, TEST_ITEM_FLAGS(20, 0) | TEST_ITEM_KEEP_NAVIGATION});
    // Same order as Plain, so it sorts first by name; both items live in one DLL.
    StartHost();
    host->TakeSelection(Window(L"Greedy"));
    Press(VK_DOWN, L"Greedy", {Navigation(Window(L"Greedy"), VK_DOWN)});
}

TEST_F(HostSelection, LeftRightAndEnterReachOnlyTheSelectedItem) {
    StartHost();
    host->PressKey(VK_RETURN);
    host->PressKey(VK_RIGHT);
    EXPECT_TRUE(Recorded().empty()) << "nothing is selected: no item hears of them";

    host->PressKey(VK_DOWN);
    ClearRecorded();
    host->PressKey(VK_LEFT);
    host->PressKey(VK_RIGHT);
    host->PressKey(VK_RETURN);
    const HWND open = Window(L"Open");
    EXPECT_TRUE(SequenceIs(Recorded(), {Navigation(open, VK_LEFT), Navigation(open, VK_RIGHT),
                                        To(open, {WM_TODAYCUSTOM_ACTION, Delivery::Sent, VK_RETURN})}));
}

TEST_F(HostSelection, ATapSelectsTheItemUnderItInItsOwnCoordinates) {
    StartHost();
    host->PressKey(VK_DOWN);  // Open
    ClearRecorded();
    const HostedItem& shy = Item(L"Shy");
    host->Tap({100, shy.rect.top + 5});

    EXPECT_EQ(L"Shy", SelectedName());
    // The tap's posted TODAYM_TOOKSELECTION is taken before the stylus goes up.
    const LPARAM point = MAKELPARAM(100, 5);
    EXPECT_TRUE(
        SequenceIs(Recorded(), {To(shy.window, {WM_LBUTTONDOWN, Delivery::Sent, MK_LBUTTON, point}),
                                Lost(Window(L"Open")), To(shy.window, {WM_LBUTTONUP, Delivery::Sent, 0, point})}));
}

TEST_F(HostSelection, ATapOnTheHostsOwnAreaClearsTheSelection) {
    StartHost();
    host->PressKey(VK_DOWN);
    ClearRecorded();
    const RECT header = host->Layout().header;
    host->Tap({50, (header.top + header.bottom) / 2});
    EXPECT_EQ(L"none", SelectedName());
    EXPECT_TRUE(SequenceIs(Recorded(), {Lost(Window(L"Open"))}));
}

TEST_F(HostSelection, TheOptionsDialogGetsTheItemsRecordAndClosesAsAsked) {
    StartHost();
    // The init parameter is the item's own record; the close is a button's command, posted. Closing it makes the
    // host ask every item again.
    const auto dialog = [this](const HostedItem& item, WORD button) {
        std::vector<ExpectedMessage> rows = {
            {WM_INITDIALOG, Delivery::Sent, std::nullopt, reinterpret_cast<LPARAM>(&item.record)},
            {WM_COMMAND, Delivery::Posted, MAKEWPARAM(button, BN_CLICKED)}};
        for (const auto& asked : host->Items())
            rows.push_back(To(asked->window, {WM_TODAYCUSTOM_QUERYREFRESHCACHE, Delivery::Sent,
                                              reinterpret_cast<WPARAM>(&asked->record)}));
        return rows;
    };
    std::wstring error;
    ASSERT_TRUE(host->RunOptionsDialog(&Item(L"Open"), DialogClose::Ok, error)) << error.c_str();
    EXPECT_TRUE(SequenceIs(Recorded(), dialog(Item(L"Open"), IDOK)));

    ClearRecorded();
    ASSERT_TRUE(host->RunOptionsDialog(&Item(L"Shy"), DialogClose::Cancel, error));
    EXPECT_TRUE(SequenceIs(Recorded(), dialog(Item(L"Shy"), IDCANCEL)));
}

TEST_F(HostSelection, AnItemRegisteredWithoutOptionsHasNoDialog) {
    TestRegistration noOptions{L"Bare", 'A', 5};
    noOptions.options = 0;
    registry.Add(noOptions);
    StartHost();
    std::wstring error;
    EXPECT_FALSE(host->RunOptionsDialog(&Item(L"Bare"), DialogClose::Ok, error));
    EXPECT_NE(std::wstring::npos, error.find(L"has no options dialog"));
}

}  // namespace
