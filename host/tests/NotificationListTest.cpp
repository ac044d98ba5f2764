#include <gtest/gtest.h>
#include <cwchar>
#include "NotificationList.h"

namespace {

const CLSID kClass = {0x46FC2BFD, 0xF90A, 0x4462, {0xB7, 0x37, 0x5F, 0x1D, 0xFA, 0x5B, 0x40, 0xF1}};
const CLSID kOtherClass = {0x12345678, 0x1234, 0x1234, {1, 2, 3, 4, 5, 6, 7, 8}};

ShellNotificationRecord Record(const CLSID& clsid, DWORD id, const wchar_t* title, const wchar_t* html = L"",
                               DWORD flags = 0) {
    ShellNotificationRecord record = {};
    record.clsid = clsid;
    record.id = id;
    record.flags = flags;
    wcsncpy(record.title, title, ARRAYSIZE(record.title) - 1);
    wcsncpy(record.html, html, ARRAYSIZE(record.html) - 1);
    return record;
}

TEST(NotificationList, AddThenRemoveByClassIdAndId) {
    NotificationList list;
    EXPECT_TRUE(list.Apply(ShellNotificationOpAdd, Record(kClass, 6377, L"Ardeno", L"<b>2</b> new messages")));
    ASSERT_EQ(1u, list.Items().size());
    EXPECT_EQ(L"2 new messages", list.Items()[0].text);

    EXPECT_FALSE(list.Remove(kOtherClass, 6377));  // same id, other class
    EXPECT_FALSE(list.Remove(kClass, 1));          // same class, other id
    EXPECT_EQ(1u, list.Items().size());
    EXPECT_TRUE(list.Apply(ShellNotificationOpRemove, Record(kClass, 6377, L"")));
    EXPECT_TRUE(list.Items().empty());
}

TEST(NotificationList, AddingTheSameClassIdAndIdAgainUpdatesIt) {
    NotificationList list;
    list.Add(Record(kClass, 1, L"first"));
    list.Add(Record(kOtherClass, 1, L"other"));
    list.Add(Record(kClass, 1, L"second"));
    ASSERT_EQ(2u, list.Items().size());
    EXPECT_EQ(L"second", list.Items().back().title);
}

TEST(NotificationList, ANotificationWithoutClassIdCannotBeRemoved) {
    NotificationList list;
    list.Add(Record(GUID_NULL, 7, L"anonymous"));
    list.Add(Record(GUID_NULL, 7, L"anonymous again"));
    EXPECT_EQ(2u, list.Items().size());
    EXPECT_FALSE(list.Remove(GUID_NULL, 7));
    EXPECT_EQ(2u, list.Items().size());
}

TEST(NotificationList, TheBubbleShowsTheNewestThatIsNotSentStraightToTheTray) {
    NotificationList list;
    EXPECT_EQ(nullptr, list.Bubble());
    list.Add(Record(kClass, 1, L"bubble"));
    list.Add(Record(kClass, 2, L"tray only", L"", 0x1 /* SHNF_STRAIGHTTOTRAY */));
    ASSERT_NE(nullptr, list.Bubble());
    EXPECT_EQ(L"bubble", list.Bubble()->title);
    list.Remove(kClass, 1);
    EXPECT_EQ(nullptr, list.Bubble());
}

TEST(NotificationList, TextOfHtmlDropsTagsDecodesEntitiesAndCollapsesBlanks) {
    EXPECT_EQ(L"Tom & Jerry: <hi>", PlainTextOfHtml(L"<html><body>Tom &amp; Jerry:&nbsp;&lt;hi&gt;</body></html>"));
    EXPECT_EQ(L"line one line two", PlainTextOfHtml(L"line one<br>line\n\n  two"));
    EXPECT_EQ(L"a &unknown; b", PlainTextOfHtml(L"a &unknown; b"));
}

}  // namespace
