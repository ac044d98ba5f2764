// Starting the messenger's main application and finding its window.
#pragma once
#include <windows.h>
#include <string>

// Starts the program at the install path; true when the platform reports success.
bool LaunchMainApplication(const std::wstring& installPath);
// The main application's top-level window: the window class with the first title, else with the second;
// null when neither is found.
HWND FindMainApplicationWindow(const wchar_t* windowClass, const wchar_t* firstTitle, const wchar_t* secondTitle);
// Brings a found main application window to the front, maximized.
void ShowMainApplicationWindow(HWND window);
