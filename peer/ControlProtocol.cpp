#include "ControlProtocol.h"
#include <cstring>

std::vector<BYTE> PackNotices(const std::vector<NoticePayload>& notices) {
    std::vector<BYTE> packed;
    for (const NoticePayload& notice : notices) {
        DWORD size = static_cast<DWORD>(notice.size());
        const BYTE* sizeBytes = reinterpret_cast<const BYTE*>(&size);
        packed.insert(packed.end(), sizeBytes, sizeBytes + sizeof(size));
        packed.insert(packed.end(), notice.begin(), notice.end());
    }
    return packed;
}

bool UnpackNotices(const BYTE* bytes, size_t count, std::vector<NoticePayload>& notices) {
    notices.clear();
    size_t position = 0;
    while (position < count) {
        DWORD size = 0;
        if (count - position < sizeof(size)) return false;
        memcpy(&size, bytes + position, sizeof(size));
        position += sizeof(size);
        if (count - position < size) return false;
        notices.emplace_back(bytes + position, bytes + position + size);
        position += size;
    }
    return true;
}
