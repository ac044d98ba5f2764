#include "ControlProtocol.h"
#include <cstring>

bool IsPeerControlCode(ULONG_PTR code) { return code > PeerControlBase && code <= PeerControlRestart; }

const char* PeerControlName(ULONG_PTR code) {
    switch (code) {
    case PeerControlSend:
        return "send";
    case PeerControlAdd:
        return "add";
    case PeerControlSort:
        return "sort";
    case PeerControlClear:
        return "clear";
    case PeerControlStatus:
        return "status";
    case PeerControlDetach:
        return "detach";
    case PeerControlHang:
        return "hang";
    case PeerControlExit:
        return "exit";
    case PeerControlCrash:
        return "crash";
    case PeerControlFlood:
        return "flood";
    case PeerControlSlow:
        return "slow";
    case PeerControlRestart:
        return "restart";
    }
    return "";
}

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
