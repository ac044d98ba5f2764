// Control messages to a running ArdenoPeer.exe straight from a benchmark (a control command started as its own
// process would cost more than what it measures).
#pragma once
#include <windows.h>

// The stand-in sends `count` generated notices with texts of `textLength` characters to the window it knows
// as the item's, and answers once all are sent.
LRESULT PeerFlood(HWND peer, DWORD count, DWORD textLength);
