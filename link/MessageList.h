// The owning, ordered list of notices with the cursor of the one on display. Cursor moves stop at both
// ends unless asked to wrap.
#pragma once
#include "MessageEntry.h"
#include <memory>
#include <vector>

// At most this many portraits stay loaded, those shown last: paging through thousands of notices must not
// hold thousands of bitmaps. The others are loaded again when shown again.
constexpr size_t LOADED_PORTRAITS_MAX = 8;

class MessageList {
public:
    MessageList() = default;
    ~MessageList() { Clear(); }
    MessageList(const MessageList&) = delete;
    MessageList& operator=(const MessageList&) = delete;

    void Append(std::unique_ptr<MessageEntry> entry);
    void SortByTime();
    void Clear();
    // The arrival number of the entry appended last (0 before the first).
    unsigned LastArrival() const { return arrivals; }
    // Drops the entries that arrived up to and including `arrival`; the cursor goes back to the first notice.
    void RemoveArrivedUpTo(unsigned arrival);
    void Next(bool wrap);
    void Previous(bool wrap);
    MessageEntry& At(int index) const;  // throws std::out_of_range "invalid vector<T> subscript"
    MessageEntry& Current() const { return At(cursor); }
    // The current entry's portrait for display (null when it cannot be loaded); releases the portrait shown
    // longest ago once more than LOADED_PORTRAITS_MAX are loaded.
    HBITMAP CurrentPortrait();

    int Size() const { return static_cast<int>(entries.size()); }
    bool Empty() const { return entries.empty(); }
    int Cursor() const { return cursor; }
    bool CanGoPrevious() const { return Size() >= 2 && cursor != 0; }
    bool CanGoNext() const { return Size() >= 2 && cursor + 1 != Size(); }
    // Gives the storage back too, for teardown.
    void Release();

private:
    std::vector<std::unique_ptr<MessageEntry>> entries;
    int cursor = 0;
    unsigned arrivals = 0;                      // entries appended so far, clears included
    std::vector<MessageEntry*> shownPortraits;  // entries with a loaded portrait, the one shown last at the back
};
