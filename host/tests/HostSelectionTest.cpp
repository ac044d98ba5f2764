// Keys, taps, the selection between items, and the options dialog.
#include <gtest/gtest.h>
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
};

TEST_F(HostSelection, DownGoesToTheFirstItemThatAcceptsPassingOverTheOthers) {
    registry.Add({L"Last", 'A', 3});
    StartHost();
    host->PressKey(VK_DOWN);
    EXPECT_EQ(L"Open", SelectedName());
    EXPECT_EQ(0, CountEvents("Plain:"));  // not selectable: never asked
    EXPECT_TRUE(HasEvent("Shy:received 40"));
    EXPECT_TRUE(HasEvent("Open:received 40"));

    ItemEvents().clear();
    host->PressKey(VK_DOWN);
    EXPECT_EQ(L"Last", SelectedName());
    // The selected item may use the key first; the next one takes the selection; then the first loses it.
    ASSERT_GE(EventIndex("Open:nav 40"), 0);
    EXPECT_LT(EventIndex("Open:nav 40"), EventIndex("Last:received 40"));
    EXPECT_LT(EventIndex("Last:received 40"), EventIndex("Open:lost"));

    ItemEvents().clear();
    host->PressKey(VK_UP);
    EXPECT_EQ(L"Open", SelectedName());
    EXPECT_TRUE(HasEvent("Open:received 38"));
    EXPECT_TRUE(HasEvent("Last:lost"));
}

TEST_F(HostSelection, TheSelectionStaysWhenNoItemFurtherOnTakesIt) {
    StartHost();
    host->PressKey(VK_DOWN);
    ItemEvents().clear();
    host->PressKey(VK_DOWN);
    EXPECT_EQ(L"Open", SelectedName());
    EXPECT_TRUE(HasEvent("Open:nav 40"));
    EXPECT_FALSE(HasEvent("Open:lost"));
}

TEST_F(HostSelection, AnItemThatUsesUpAndDownKeepsTheSelection) {
    registry.Add({L"Greedy", 'A', 0, TEST_ITEM_FLAGS(20, 0) | TEST_ITEM_KEEP_NAVIGATION});
    // Same order as Plain, so it sorts first by name; both items live in one DLL.
    StartHost();
    host->TakeSelection(host->FindItem(L"Greedy")->window);
    ItemEvents().clear();
    host->PressKey(VK_DOWN);
    EXPECT_EQ(L"Greedy", SelectedName());
    EXPECT_TRUE(HasEvent("Greedy:nav 40"));
    EXPECT_EQ(0, CountEvents("Shy:"));
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
