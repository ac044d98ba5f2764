#include "NotificationList.h"
#include <algorithm>
#include <cwctype>

namespace {

bool HasClassId(const CLSID& clsid) { return !IsEqualGUID(clsid, GUID_NULL); }

std::wstring BoundedText(const WCHAR* text, size_t capacity) {
    size_t length = 0;
    while (length < capacity && text[length]) ++length;
    return std::wstring(text, length);
}

}  // namespace

bool NotificationList::Apply(ShellNotificationOp op, const ShellNotificationRecord& record) {
    switch (op) {
    case ShellNotificationOpAdd:
        return Add(record);
    case ShellNotificationOpRemove:
        return Remove(record.clsid, record.id);
    default:
        return false;
    }
}

bool NotificationList::Add(const ShellNotificationRecord& record) {
    ShellNotification notification;
    notification.clsid = record.clsid;
    notification.id = record.id;
    notification.priority = record.priority;
    notification.flags = record.flags;
    notification.sink = reinterpret_cast<HWND>(static_cast<UINT_PTR>(record.sinkWindow));
    notification.title = BoundedText(record.title, ARRAYSIZE(record.title));
    notification.text = PlainTextOfHtml(BoundedText(record.html, ARRAYSIZE(record.html)));
    // Adding again under the same class id and id updates the notification; it moves to the newest place.
    if (HasClassId(record.clsid)) Remove(record.clsid, record.id);
    items.push_back(notification);
    return true;
}

bool NotificationList::Remove(const CLSID& clsid, DWORD id) {
    // A notification added without a class id cannot be removed by class id and id.
    if (!HasClassId(clsid) || id == 0) return false;
    auto match = [&](const ShellNotification& n) { return n.id == id && IsEqualGUID(n.clsid, clsid); };
    auto end = std::remove_if(items.begin(), items.end(), match);
    bool removed = end != items.end();
    items.erase(end, items.end());
    return removed;
}

const ShellNotification* NotificationList::Bubble() const {
    for (auto it = items.rbegin(); it != items.rend(); ++it) {
        if (!(it->flags & 0x1 /* SHNF_STRAIGHTTOTRAY */)) return &*it;
    }
    return nullptr;
}

std::wstring PlainTextOfHtml(const std::wstring& html) {
    static const struct {
        const wchar_t* name;
        wchar_t character;
    } entities[] = {{L"&amp;", L'&'},  {L"&lt;", L'<'},   {L"&gt;", L'>'},
                    {L"&quot;", L'"'}, {L"&nbsp;", L' '}, {L"&#39;", L'\''}};
    std::wstring text;
    bool inTag = false;
    for (size_t i = 0; i < html.size(); ++i) {
        wchar_t c = html[i];
        if (inTag) {
            if (c == L'>') {
                inTag = false;
                text += L' ';  // <br>, </p> and the like separate words
            }
            continue;
        }
        if (c == L'<') {
            inTag = true;
            continue;
        }
        if (c == L'&') {
            bool decoded = false;
            for (const auto& entity : entities) {
                size_t length = wcslen(entity.name);
                if (html.compare(i, length, entity.name) == 0) {
                    text += entity.character;
                    i += length - 1;
                    decoded = true;
                    break;
                }
            }
            if (decoded) continue;
        }
        text += c;
    }
    std::wstring collapsed;
    for (wchar_t c : text) {
        bool space = iswspace(c) != 0;
        if (space && (collapsed.empty() || collapsed.back() == L' ')) continue;
        collapsed += space ? L' ' : c;
    }
    while (!collapsed.empty() && collapsed.back() == L' ') collapsed.pop_back();
    return collapsed;
}
