#include "ControlProtocol.h"
#include <cstring>

namespace {

void Append(std::vector<BYTE>& packed, const void* data, size_t size) {
    const BYTE* bytes = static_cast<const BYTE*>(data);
    packed.insert(packed.end(), bytes, bytes + size);
}

void AppendCounted(std::vector<BYTE>& packed, const void* data, size_t size) {
    const DWORD count = static_cast<DWORD>(size);
    Append(packed, &count, sizeof(count));
    Append(packed, data, size);
}

// Reads from a packed sequence, never past its end.
struct Reader {
    const BYTE* bytes;
    size_t count;
    size_t position = 0;

    bool Read(void* data, size_t size) {
        if (count - position < size) return false;
        if (size) memcpy(data, bytes + position, size);
        position += size;
        return true;
    }
    bool ReadCounted(std::vector<BYTE>& data) {
        DWORD size = 0;
        if (!Read(&size, sizeof(size)) || count - position < size) return false;
        data.assign(bytes + position, bytes + position + size);
        position += size;
        return true;
    }
    bool ReadText(std::wstring& text) {
        std::vector<BYTE> data;
        if (!ReadCounted(data) || data.size() % sizeof(wchar_t)) return false;
        text = PayloadText(data.data(), data.size());
        return true;
    }
};

}  // namespace

std::vector<BYTE> PackNotices(const std::vector<Notice>& notices) {
    std::vector<BYTE> packed;
    for (const Notice& notice : notices) {
        const DWORD raw = notice.raw ? 1 : 0;
        Append(packed, &raw, sizeof(raw));
        if (notice.raw) {
            AppendCounted(packed, notice.bytes.data(), notice.bytes.size());
            continue;
        }
        for (const std::wstring* text : {&notice.key, &notice.portrait, &notice.sender, &notice.text})
            AppendCounted(packed, text->data(), text->size() * sizeof(wchar_t));
        Append(packed, &notice.time, sizeof(notice.time));
    }
    return packed;
}

bool UnpackNotices(const BYTE* bytes, size_t count, std::vector<Notice>& notices) {
    notices.clear();
    Reader reader{bytes, count};
    while (reader.position < count) {
        Notice notice;
        DWORD raw = 0;
        if (!reader.Read(&raw, sizeof(raw))) return false;
        notice.raw = raw != 0;
        if (notice.raw) {
            if (!reader.ReadCounted(notice.bytes)) return false;
        } else {
            for (std::wstring* text : {&notice.key, &notice.portrait, &notice.sender, &notice.text})
                if (!reader.ReadText(*text)) return false;
            if (!reader.Read(&notice.time, sizeof(notice.time))) return false;
        }
        notices.push_back(std::move(notice));
    }
    return true;
}
