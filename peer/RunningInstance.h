// Finding the running main instance the way the item does: by window class and either title.
#pragma once
#include <windows.h>

HWND FindRunningInstance();
