#include "PeerControl.h"
#include "peer/PeerCommands.h"

LRESULT PeerFlood(HWND peer, DWORD count, DWORD textLength) {
    DWORD values[] = {count, textLength};
    COPYDATASTRUCT data = {FindPeerCommand(L"flood")->code, sizeof(values), values};
    return SendMessageW(peer, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&data));
}
