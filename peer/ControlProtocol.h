// How control commands reach the running main instance: WM_COPYDATA to its window with a dwData code that the
// item never uses (the item's copy-data always carries 0). The instance answers 1 once the work is done.
#pragma once
#include "Notice.h"
#include <windows.h>
#include <vector>

enum PeerControlCode : ULONG_PTR {
    PeerControlBase = 0x50524100,           // "\0APR"
    PeerControlSend = PeerControlBase + 1,  // payload: notices (see below)
    PeerControlAdd = PeerControlBase + 2,   // payload: notices
    PeerControlSort = PeerControlBase + 3,
    PeerControlClear = PeerControlBase + 4,
    PeerControlStatus = PeerControlBase + 5,  // payload: DWORD status value
    PeerControlDetach = PeerControlBase + 6,
    PeerControlHang = PeerControlBase + 7,  // payload: DWORD milliseconds
    PeerControlExit = PeerControlBase + 8,
    PeerControlCrash = PeerControlBase + 9,
    PeerControlFlood = PeerControlBase + 10,    // payload: DWORD notice count, DWORD text length
    PeerControlSlow = PeerControlBase + 11,     // payload: DWORD milliseconds
    PeerControlRestart = PeerControlBase + 12,  // payload: DWORD milliseconds
};

bool IsPeerControlCode(ULONG_PTR code);
const char* PeerControlName(ULONG_PTR code);

// Notices travel as a sequence of records: a raw notice as (DWORD 1, DWORD byte count, bytes), any other as
// (DWORD 0, then the key, portrait, sender and text each as DWORD byte count and UTF-16, then the SYSTEMTIME).
std::vector<BYTE> PackNotices(const std::vector<Notice>& notices);
// False when the bytes are not a whole sequence.
bool UnpackNotices(const BYTE* bytes, size_t count, std::vector<Notice>& notices);
