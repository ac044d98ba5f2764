// A system error code as a person reads it.
#pragma once
#include <windows.h>
#include <string>

// The system's message and the code: "File not found (error 2)", or "error 2" when the system has no message.
std::wstring SystemErrorText(DWORD code);
