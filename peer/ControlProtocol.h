// How control commands reach the running main instance: WM_COPYDATA to its window with a dwData code that the
// item never uses (the item's copy-data always carries 0), each command's code from this base on (PeerCommands.h).
// The instance answers 1 once the work is done. A command's notices file travels as its notices, its numbers as
// DWORDs in order.
#pragma once
#include "Notice.h"
#include <windows.h>
#include <vector>

constexpr ULONG_PTR kPeerControlBase = 0x50524100;  // "\0APR"

// Notices travel as a sequence of (DWORD byte count, bytes).
std::vector<BYTE> PackNotices(const std::vector<NoticePayload>& notices);
// False when the bytes are not a whole sequence.
bool UnpackNotices(const BYTE* bytes, size_t count, std::vector<NoticePayload>& notices);
