#include "PeerControl.h"
#include "peer/ControlProtocol.h"

LRESULT PeerFlood(HWND peer, DWORD count, DWORD textLength) {
    DWORD values[] = {count, textLength};
    COPYDATASTRUCT data = {PeerControlFlood, sizeof(values), values};
    return SendMessageW(peer, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&data));
}
