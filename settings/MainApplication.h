// Finding the messenger's main application's window and bringing it to the front (starting its program:
// StartedProgram.h).
#pragma once
#include <windows.h>

// The main application's top-level window: the window class with the first title, else with the second;
// null when neither is found.
HWND FindMainApplicationWindow(const wchar_t* windowClass, const wchar_t* firstTitle, const wchar_t* secondTitle);
// Brings a found main application window to the front, maximized where the platform can do that without
// waiting for a busy program; where it cannot, a hidden window is shown only once it has answered within
// `answerBoundMs`.
void ShowMainApplicationWindow(HWND window, UINT answerBoundMs);
// Brings another program's window to the front as it is, without waiting for that program.
void BringWindowForward(HWND window);
