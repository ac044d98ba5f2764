#include "MessageList.h"
#include <algorithm>
#include <stdexcept>

void MessageList::Append(std::unique_ptr<MessageEntry> entry) {
    entry->arrival = ++arrivals;
    entries.push_back(std::move(entry));
}

void MessageList::SortByTime() {
    // Stable: notices with equal times keep the order they arrived in. Only pointers move.
    std::stable_sort(entries.begin(), entries.end(),
                     [](const auto& a, const auto& b) { return CompareFileTime(&a->time, &b->time) < 0; });
}

void MessageList::Clear() {
    shownPortraits.clear();
    for (auto& entry : entries) entry.reset();
    entries.clear();
    cursor = 0;
}

void MessageList::RemoveArrivedUpTo(unsigned arrival) {
    auto gone = [arrival](const MessageEntry* entry) { return entry->arrival <= arrival; };
    shownPortraits.erase(std::remove_if(shownPortraits.begin(), shownPortraits.end(), gone), shownPortraits.end());
    entries.erase(std::remove_if(entries.begin(), entries.end(), [&](const auto& entry) { return gone(entry.get()); }),
                  entries.end());
    cursor = 0;
}

void MessageList::Release() {
    Clear();
    entries.shrink_to_fit();
}

void MessageList::Next(bool wrap) {
    if (entries.empty()) return;
    int next = cursor + 1;
    if (next >= Size()) next = wrap ? 0 : cursor;
    cursor = next;
}

void MessageList::Previous(bool wrap) {
    if (entries.empty()) return;
    int previous = cursor - 1;
    if (previous < 0) previous = wrap ? Size() - 1 : 0;
    cursor = previous;
}

MessageEntry& MessageList::At(int index) const {
    if (index < 0 || index >= Size()) throw std::out_of_range("invalid vector<T> subscript");
    return *entries[static_cast<size_t>(index)];
}

HBITMAP MessageList::CurrentPortrait() {
    MessageEntry& entry = Current();
    HBITMAP portrait = entry.PortraitBitmap();
    if (!portrait) return nullptr;
    auto shown = std::find(shownPortraits.begin(), shownPortraits.end(), &entry);
    if (shown != shownPortraits.end()) shownPortraits.erase(shown);
    shownPortraits.push_back(&entry);
    if (shownPortraits.size() > LOADED_PORTRAITS_MAX) {
        shownPortraits.front()->ReleasePortrait();
        shownPortraits.erase(shownPortraits.begin());
    }
    return portrait;
}
