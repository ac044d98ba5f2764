// The notice list: ownership, the cursor and its moves, sorting by time, the bounds check, and the release
// of every portrait when the list is cleared.
#include "link/MessageList.h"
#include "support/ItemTexts.h"
#include "support/ScratchFiles.h"
#include <gtest/gtest.h>

namespace {

// A new entry, for the list to take.
MessageEntry* Entry(const wchar_t* key, ULONGLONG time = 0) {
    MessageEntry* entry = new MessageEntry();
    entry->key.Assign(key, wcslen(key));
    entry->time.dwLowDateTime = static_cast<DWORD>(time);
    entry->time.dwHighDateTime = static_cast<DWORD>(time >> 32);
    return entry;
}

void Fill(MessageList& list, int count) {
    for (int i = 0; i < count; ++i) list.Append(Entry(std::to_wstring(i).c_str()));
}

enum class Move { Next, Previous };

struct MoveCase {
    int size;
    int start;
    Move move;
    bool wrap;
    int cursor;
};

}  // namespace

TEST(MessageList, AppendKeepsTheCursorAndTheFirstEntryCurrent) {
    MessageList list;
    EXPECT_TRUE(list.Empty());
    EXPECT_EQ(list.Cursor(), 0);
    list.Append(Entry(L"a"));
    list.Append(Entry(L"b"));
    list.Append(Entry(L"c"));
    EXPECT_EQ(list.Size(), 3);
    EXPECT_EQ(list.Cursor(), 0);
    EXPECT_EQ(list.Current()->key, L"a");
    EXPECT_EQ(list.At(2)->key, L"c");
    list.Next(false);
    list.Clear();
    EXPECT_TRUE(list.Empty());
    EXPECT_EQ(list.Cursor(), 0);
    list.Append(Entry(L"x"));
    list.Append(Entry(L"y"));
    list.Append(Entry(L"z"));
    EXPECT_EQ(list.Current()->key, L"x");  // a clear leaves the cursor on the first of the new entries
}

TEST(MessageList, CursorMovesStopAtTheEndsUnlessWrapping) {
    const MoveCase cases[] = {
        {3, 0, Move::Next, false, 1},     {3, 1, Move::Next, false, 2},     {3, 2, Move::Next, false, 2},
        {3, 2, Move::Next, true, 0},      {3, 2, Move::Previous, false, 1}, {3, 0, Move::Previous, false, 0},
        {3, 0, Move::Previous, true, 2},  {1, 0, Move::Next, false, 0},     {1, 0, Move::Next, true, 0},
        {1, 0, Move::Previous, true, 0},  {0, 0, Move::Next, false, 0},     {0, 0, Move::Next, true, 0},
        {0, 0, Move::Previous, false, 0}, {0, 0, Move::Previous, true, 0},
    };
    for (const auto& c : cases) {
        MessageList list;
        Fill(list, c.size);
        for (int i = 0; i < c.start; ++i) list.Next(false);
        ASSERT_EQ(list.Cursor(), c.start);
        if (c.move == Move::Next) list.Next(c.wrap);
        else list.Previous(c.wrap);
        EXPECT_EQ(list.Cursor(), c.cursor)
            << "size " << c.size << ", from " << c.start << ", " << (c.move == Move::Next ? "next" : "previous")
            << (c.wrap ? ", wrapping" : "");
    }
}

TEST(MessageList, ArrowsNeedTwoEntriesAndRoomToMove) {
    MessageList list;
    EXPECT_FALSE(list.CanGoPrevious());
    EXPECT_FALSE(list.CanGoNext());
    Fill(list, 1);
    EXPECT_FALSE(list.CanGoPrevious());
    EXPECT_FALSE(list.CanGoNext());
    Fill(list, 2);  // three entries
    EXPECT_FALSE(list.CanGoPrevious());
    EXPECT_TRUE(list.CanGoNext());
    list.Next(false);
    EXPECT_TRUE(list.CanGoPrevious());
    EXPECT_TRUE(list.CanGoNext());
    list.Next(false);
    EXPECT_TRUE(list.CanGoPrevious());
    EXPECT_FALSE(list.CanGoNext());
}

TEST(MessageList, SortOrdersByTimeAndKeepsTheCursorIndex) {
    MessageList list;
    list.Append(Entry(L"thirty", 30));
    list.Append(Entry(L"ten", 10));
    list.Append(Entry(L"twenty", 20));
    const MessageEntry* thirty = list.At(0);
    list.Next(false);
    list.Next(false);
    list.SortByTime();
    EXPECT_EQ(list.Cursor(), 2);
    EXPECT_EQ(list.At(0)->key, L"ten");
    EXPECT_EQ(list.At(1)->key, L"twenty");
    EXPECT_EQ(list.Current(), thirty);  // entries move as they are, not copied
}

TEST(MessageList, SortComparesAllSixtyFourBits) {
    MessageList list;
    list.Append(Entry(L"high", 0x100000000ULL));
    list.Append(Entry(L"negative", ~0ULL));  // "-1" in the payload: the largest time
    list.Append(Entry(L"low", 0xFFFFFFFFULL));
    list.Append(Entry(L"zero", 0));
    list.SortByTime();
    EXPECT_EQ(list.At(0)->key, L"zero");
    EXPECT_EQ(list.At(1)->key, L"low");
    EXPECT_EQ(list.At(2)->key, L"high");
    EXPECT_EQ(list.At(3)->key, L"negative");
}

TEST(MessageList, AtOutsideTheListIsNull) {
    MessageList list;
    for (int size : {0, 2}) {
        Fill(list, size - list.Size());
        for (int index : {-1, size, size + 1}) EXPECT_EQ(list.At(index), nullptr) << index << " of " << size;
    }
    EXPECT_EQ(MessageList().Current(), nullptr);
}

// Wine's GetGuiResources answers 0 for every process, so the release of each bitmap is checked by its
// handle no longer naming an object.
TEST(MessageList, ClearReleasesEveryLoadedPortrait) {
    ScratchFolder files;
    MessageList list;
    std::vector<HBITMAP> bitmaps;
    for (int i = 0; i < 3; ++i) {
        MessageEntry* entry = Entry(std::to_wstring(i).c_str());
        const std::wstring path = files.WriteBitmap(L"p" + std::to_wstring(i) + L".bmp");
        entry->portraitPath.Assign(path.data(), path.size());
        bitmaps.push_back(entry->PortraitBitmap());
        ASSERT_EQ(GetObjectType(bitmaps.back()), static_cast<DWORD>(OBJ_BITMAP));
        list.Append(entry);
    }
    MessageEntry* failed = Entry(L"no portrait");
    const std::wstring missing = files.Path(L"missing.bmp");
    failed->portraitPath.Assign(missing.data(), missing.size());
    EXPECT_EQ(failed->PortraitBitmap(), nullptr);
    list.Append(failed);
    list.Next(false);

    list.Clear();
    EXPECT_TRUE(list.Empty());
    EXPECT_EQ(list.Cursor(), 0);
    for (HBITMAP bitmap : bitmaps) EXPECT_EQ(GetObjectType(bitmap), 0u);
}

TEST(MessageList, DestructionReleasesPortraits) {
    ScratchFolder files;
    HBITMAP bitmap;
    {
        MessageList list;
        MessageEntry* entry = Entry(L"a");
        const std::wstring path = files.WriteBitmap(L"a.bmp");
        entry->portraitPath.Assign(path.data(), path.size());
        bitmap = entry->PortraitBitmap();
        list.Append(entry);
        ASSERT_EQ(GetObjectType(bitmap), static_cast<DWORD>(OBJ_BITMAP));
    }
    EXPECT_EQ(GetObjectType(bitmap), 0u);
}
