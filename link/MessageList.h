// The owning, ordered list of notices with the cursor of the one on display. Cursor moves stop at both
// ends unless asked to wrap. The list holds its entries in an array of its own, grown through the item's
// allocator together with the sort's scratch array: a list that cannot grow refuses the entry and stays as it
// was, and a sort never needs memory.
#pragma once
#include "MessageEntry.h"

// At most this many portraits stay loaded, those shown last: paging through thousands of notices must not
// hold thousands of bitmaps. The others are loaded again when shown again.
const size_t LOADED_PORTRAITS_MAX = 8;

class MessageList {
public:
    MessageList();
    ~MessageList() { Release(); }

    // Takes the entry and numbers it by arrival; false when there is no room for it, and the entry stays the
    // caller's.
    bool Append(MessageEntry* entry);
    // By time, stable: notices with equal times keep the order they arrived in, in n log n steps. Only pointers
    // move.
    void SortByTime();
    void Clear();
    // The arrival number of the entry appended last (0 before the first).
    unsigned LastArrival() const { return arrivals; }
    // Drops the entries that arrived up to and including `arrival`; the cursor goes back to the first notice.
    void RemoveArrivedUpTo(unsigned arrival);
    void Next(bool wrap);
    void Previous(bool wrap);
    MessageEntry* At(int index) const;  // null outside the list
    MessageEntry* Current() const { return At(cursor); }
    // The current entry's portrait for display (null when it cannot be loaded); releases the portrait shown
    // longest ago once more than LOADED_PORTRAITS_MAX are loaded.
    HBITMAP CurrentPortrait();
    // The entries whose portraits are loaded, the one shown last at the end.
    size_t LoadedPortraitCount() const { return shownCount; }
    const MessageEntry* LoadedPortrait(size_t index) const { return shownPortraits[index]; }

    int Size() const { return count; }
    // The bytes of the texts of the entries held (MessageEntry::TextBytes).
    size_t TextBytes() const { return textBytes; }
    bool Empty() const { return count == 0; }
    int Cursor() const { return cursor; }
    bool CanGoPrevious() const { return count >= 2 && cursor != 0; }
    bool CanGoNext() const { return count >= 2 && cursor + 1 != count; }
    // Gives the storage back too, for teardown.
    void Release();

private:
    MessageList(const MessageList&);
    MessageList& operator=(const MessageList&);
    bool Reserve(int wanted);
    void ForgetShown(const MessageEntry* entry);

    MessageEntry** entries;
    MessageEntry** scratch;  // as long as the storage, in the same block
    int count;
    int capacity;
    int cursor;
    unsigned arrivals;  // entries appended so far, clears included
    size_t textBytes;
    // Entries with a loaded portrait, the one shown last at the back; one more than kept, for the moment
    // before the oldest goes.
    MessageEntry* shownPortraits[LOADED_PORTRAITS_MAX + 1];
    size_t shownCount;
};
