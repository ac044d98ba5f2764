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

}  // namespace

MessageList::MessageList()
    : entries(NULL), scratch(NULL), count(0), capacity(0), cursor(0), arrivals(0), textBytes(0), shownCount(0) {}

bool MessageList::Reserve(int wanted) {
    if (wanted <= capacity) return true;
    int grown = capacity ? capacity : FIRST_CAPACITY;
    while (grown < wanted) {
        if (grown > 0x0FFFFFFF / 2) return false;  // the doubled block's size stays far from overflowing
        grown *= 2;
    }
    // The sort's scratch array is taken with the storage: sorting then never fails for want of memory, nor
    // falls back to a slower order.
    MessageEntry** larger =
        static_cast<MessageEntry**>(AllocateItemMemory(2 * static_cast<size_t>(grown) * sizeof(MessageEntry*)));
    if (!larger) return false;
    if (count) memcpy(larger, entries, static_cast<size_t>(count) * sizeof(MessageEntry*));
    FreeItemMemory(entries);
    entries = larger;
    scratch = larger + grown;
    capacity = grown;
    return true;
}

bool MessageList::Append(MessageEntry* entry) {
    if (!entry || !Reserve(count + 1)) return false;
    entry->arrival = ++arrivals;
    entries[count++] = entry;
    textBytes += entry->TextBytes();
    return true;
}

void MessageList::SortByTime() {
    if (count < 2) return;
    SortThroughScratch(entries, scratch, count);
}

void MessageList::Clear() {
    shownCount = 0;
    for (int i = 0; i < count; ++i) delete entries[i];
    count = 0;
    cursor = 0;
    textBytes = 0;
}

void MessageList::RemoveArrivedUpTo(unsigned arrival) {
    size_t keptShown = 0;
    for (size_t i = 0; i < shownCount; ++i)
        if (shownPortraits[i]->arrival > arrival) shownPortraits[keptShown++] = shownPortraits[i];
    shownCount = keptShown;
    int kept = 0;
    for (int i = 0; i < count; ++i) {
        if (entries[i]->arrival <= arrival) {
            textBytes -= entries[i]->TextBytes();
            delete entries[i];
        }
        else entries[kept++] = entries[i];
    }
    count = kept;
    cursor = 0;
}

void MessageList::Release() {
    Clear();
    FreeItemMemory(entries);
    entries = NULL;
    scratch = NULL;
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
