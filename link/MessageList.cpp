#include "MessageList.h"
#include "../platform/ItemMemory.h"
#include <string.h>

namespace {

const int FIRST_CAPACITY = 16;

bool Earlier(const MessageEntry* a, const MessageEntry* b) { return CompareFileTime(&a->time, &b->time) < 0; }

// The runs [from, middle) and [middle, to) of `source`, merged into the same places of `target`; on equal times
// the left run's entry goes first, which keeps the sort stable.
void Merge(MessageEntry* const* source, MessageEntry** target, int from, int middle, int to) {
    int left = from, right = middle;
    for (int out = from; out < to; ++out) {
        if (left < middle && (right >= to || !Earlier(source[right], source[left]))) target[out] = source[left++];
        else target[out] = source[right++];
    }
}

// Bottom-up merge sort through a scratch array as long as the list.
void SortThroughScratch(MessageEntry** entries, MessageEntry** scratch, int count) {
    MessageEntry** from = entries;
    MessageEntry** to = scratch;
    for (int width = 1; width < count; width *= 2) {
        for (int start = 0; start < count; start += 2 * width) {
            const int middle = start + width < count ? start + width : count;
            const int end = start + 2 * width < count ? start + 2 * width : count;
            Merge(from, to, start, middle, end);
        }
        MessageEntry** swapped = from;
        from = to;
        to = swapped;
    }
    if (from != entries) memcpy(entries, from, static_cast<size_t>(count) * sizeof(*entries));
}

// Without scratch memory: insertion, stable and in place. Slow for thousands of notices, but it needs nothing.
void SortInPlace(MessageEntry** entries, int count) {
    for (int i = 1; i < count; ++i) {
        MessageEntry* moving = entries[i];
        int j = i;
        for (; j > 0 && Earlier(moving, entries[j - 1]); --j) entries[j] = entries[j - 1];
        entries[j] = moving;
    }
}

}  // namespace

MessageList::MessageList() : entries(NULL), count(0), capacity(0), cursor(0), arrivals(0), shownCount(0) {}

bool MessageList::Reserve(int wanted) {
    if (wanted <= capacity) return true;
    int grown = capacity ? capacity : FIRST_CAPACITY;
    while (grown < wanted) {
        if (grown > 0x3FFFFFFF / 2) return false;
        grown *= 2;
    }
    MessageEntry** larger =
        static_cast<MessageEntry**>(AllocateItemMemory(static_cast<size_t>(grown) * sizeof(MessageEntry*)));
    if (!larger) return false;
    if (count) memcpy(larger, entries, static_cast<size_t>(count) * sizeof(MessageEntry*));
    FreeItemMemory(entries);
    entries = larger;
    capacity = grown;
    return true;
}

bool MessageList::Append(MessageEntry* entry) {
    if (!entry || !Reserve(count + 1)) return false;
    entry->arrival = ++arrivals;
    entries[count++] = entry;
    return true;
}

void MessageList::SortByTime() {
    if (count < 2) return;
    MessageEntry** scratch =
        static_cast<MessageEntry**>(AllocateItemMemory(static_cast<size_t>(count) * sizeof(MessageEntry*)));
    if (scratch) SortThroughScratch(entries, scratch, count);
    else SortInPlace(entries, count);
    FreeItemMemory(scratch);
}

void MessageList::Clear() {
    shownCount = 0;
    for (int i = 0; i < count; ++i) delete entries[i];
    count = 0;
    cursor = 0;
}

void MessageList::RemoveArrivedUpTo(unsigned arrival) {
    size_t keptShown = 0;
    for (size_t i = 0; i < shownCount; ++i)
        if (shownPortraits[i]->arrival > arrival) shownPortraits[keptShown++] = shownPortraits[i];
    shownCount = keptShown;
    int kept = 0;
    for (int i = 0; i < count; ++i) {
        if (entries[i]->arrival <= arrival) delete entries[i];
        else entries[kept++] = entries[i];
    }
    count = kept;
    cursor = 0;
}

void MessageList::Release() {
    Clear();
    FreeItemMemory(entries);
    entries = NULL;
    capacity = 0;
}

void MessageList::Next(bool wrap) {
    if (count == 0) return;
    int next = cursor + 1;
    if (next >= count) next = wrap ? 0 : cursor;
    cursor = next;
}

void MessageList::Previous(bool wrap) {
    if (count == 0) return;
    int previous = cursor - 1;
    if (previous < 0) previous = wrap ? count - 1 : 0;
    cursor = previous;
}

MessageEntry* MessageList::At(int index) const {
    if (index < 0 || index >= count) return NULL;
    return entries[index];
}

void MessageList::ForgetShown(const MessageEntry* entry) {
    for (size_t i = 0; i < shownCount; ++i) {
        if (shownPortraits[i] != entry) continue;
        memmove(shownPortraits + i, shownPortraits + i + 1, (shownCount - i - 1) * sizeof(*shownPortraits));
        --shownCount;
        return;
    }
}

HBITMAP MessageList::CurrentPortrait() {
    MessageEntry* entry = Current();
    if (!entry) return NULL;
    HBITMAP portrait = entry->PortraitBitmap();
    if (!portrait) return NULL;
    ForgetShown(entry);
    shownPortraits[shownCount++] = entry;
    if (shownCount > LOADED_PORTRAITS_MAX) {
        shownPortraits[0]->ReleasePortrait();
        ForgetShown(shownPortraits[0]);
    }
    return portrait;
}
