// Keys, taps, the selection between items, and the options dialog.
#include <gtest/gtest.h>
#include <algorithm>
#include "HostTestSupport.h"

namespace {

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
        ItemEvents().clear();  // only what follows the start counts
    }
    std::wstring SelectedName() const { return host->Selected() ? host->Selected()->Name() : L"none"; }
    // Presses the key with a fresh event log: where the selection is then, the events that came in this order, and
    // the beginnings of events that never came.
    void Press(UINT key, const wchar_t* selected, const std::vector<std::string>& inOrder,
               const std::vector<std::string>& never = {}) {
        SCOPED_TRACE("key " + std::to_string(key));
        ItemEvents().clear();
        host->PressKey(key);
        EXPECT_EQ(selected, SelectedName());
        const auto& events = ItemEvents();
        auto from = events.begin();
        for (const std::string& event : inOrder) {
            from = std::find(from, events.end(), event);
            ASSERT_NE(events.end(), from) << event << " missing or out of order: " << ::testing::PrintToString(events);
            ++from;
        }
        for (const std::string& prefix : never) EXPECT_EQ(0, CountEvents(prefix)) << prefix;
    }
};

TEST_F(HostSelection, DownGoesToTheFirstItemThatAcceptsPassingOverTheOthers) {
    registry.Add({L"Last", 'A', 3});
    StartHost();
    Press(VK_DOWN, L"Open", {"Shy:received 40", "Open:received 40"}, {"Plain:"});  // Plain is never asked
    // The selected item may use the key first; the next one takes the selection; then the first loses it.
    Press(VK_DOWN, L"Last", {"Open:nav 40", "Last:received 40", "Open:lost"});
    Press(VK_UP, L"Open", {"Open:received 38", "Last:lost"});
}

TEST_F(HostSelection, TheSelectionStaysWhenNoItemFurtherOnTakesIt) {
    StartHost();
    host->PressKey(VK_DOWN);
    Press(VK_DOWN, L"Open", {"Open:nav 40"}, {"Open:lost"});
}

TEST_F(HostSelection, AnItemThatUsesUpAndDownKeepsTheSelection) {
    registry.Add({L"Greedy", 'A', 0, TEST_ITEM_FLAGS(20, 0) | TEST_ITEM_KEEP_NAVIGATION});
    // Same order as Plain, so it sorts first by name; both items live in one DLL.
    StartHost();
    host->TakeSelection(host->FindItem(L"Greedy")->window);
    Press(VK_DOWN, L"Greedy", {"Greedy:nav 40"}, {"Shy:"});
}

TEST_F(HostSelection, LeftRightAndEnterReachOnlyTheSelectedItem) {
    StartHost();
    host->PressKey(VK_RETURN);
    host->PressKey(VK_RIGHT);
    EXPECT_EQ(0, CountEvents("Open:"));

    host->PressKey(VK_DOWN);
    ItemEvents().clear();
    host->PressKey(VK_LEFT);
    host->PressKey(VK_RIGHT);
    host->PressKey(VK_RETURN);
    std::vector<std::string> expected = {"Open:nav 37", "Open:nav 39", "Open:action 13"};
    EXPECT_EQ(expected, ItemEvents());
}

TEST_F(HostSelection, ATapSelectsTheItemUnderItInItsOwnCoordinates) {
    StartHost();
    host->PressKey(VK_DOWN);  // Open
    ItemEvents().clear();
    const RECT shy = host->FindItem(L"Shy")->rect;
    host->Tap({100, shy.top + 5});

    EXPECT_EQ(L"Shy", SelectedName());
    // The tap's posted TODAYM_TOOKSELECTION is taken before the stylus goes up.
    std::vector<std::string> expected = {"Shy:down 100 5", "Open:lost", "Shy:up 100 5"};
    EXPECT_EQ(expected, ItemEvents());
}

TEST_F(HostSelection, ATapOnTheHostsOwnAreaClearsTheSelection) {
    StartHost();
    host->PressKey(VK_DOWN);
    const RECT header = host->Layout().header;
    host->Tap({50, (header.top + header.bottom) / 2});
    EXPECT_EQ(L"none", SelectedName());
    EXPECT_TRUE(HasEvent("Open:lost"));
}

TEST_F(HostSelection, TheOptionsDialogGetsTheItemsRecordAndClosesAsAsked) {
    StartHost();
    std::wstring error;
    ASSERT_TRUE(host->RunOptionsDialog(host->FindItem(L"Open"), DialogClose::Ok, error)) << error.c_str();
    // The init parameter was the item's own record: the dialog procedure read the item's name from it.
    EXPECT_LT(EventIndex("Open:options-init"), EventIndex("Open:options-ok"));
    EXPECT_EQ(0, CountEvents("Shy:options"));

    ASSERT_TRUE(host->RunOptionsDialog(host->FindItem(L"Shy"), DialogClose::Cancel, error));
    EXPECT_TRUE(HasEvent("Shy:options-cancel"));
}

TEST_F(HostSelection, AnItemRegisteredWithoutOptionsHasNoDialog) {
    TestRegistration noOptions{L"Bare", 'A', 5};
    noOptions.options = 0;
    registry.Add(noOptions);
    StartHost();
    std::wstring error;
    EXPECT_FALSE(host->RunOptionsDialog(host->FindItem(L"Bare"), DialogClose::Ok, error));
    EXPECT_NE(std::wstring::npos, error.find(L"has no options dialog"));
}

}  // namespace
