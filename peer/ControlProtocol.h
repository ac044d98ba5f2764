// How control commands reach the running main instance: WM_COPYDATA to its window with a dwData code that the
// item never uses (the item's copy-data always carries 0), each command's code from this base on (PeerCommands.h).
// The instance answers 1 once the work is done. A command's notices file travels as its notices, its numbers as
// DWORDs in order.
#pragma once
#include "Notice.h"
#include <windows.h>
#include <vector>

constexpr ULONG_PTR kPeerControlBase = 0x50524100;  // "\0APR"

// Notices travel as a sequence of records: a raw notice as (DWORD 1, DWORD byte count, bytes), any other as
// (DWORD 0, then the key, portrait, sender and text each as DWORD byte count and UTF-16, then the SYSTEMTIME).
std::vector<BYTE> PackNotices(const std::vector<Notice>& notices);
// False when the bytes are not a whole sequence.
bool UnpackNotices(const BYTE* bytes, size_t count, std::vector<Notice>& notices);
