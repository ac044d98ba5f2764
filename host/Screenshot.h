// Writing a window's pixels (toolbox/WindowCapture.h reads them back) as a PNG file.
#pragma once
#include <string>
#include "toolbox/WindowCapture.h"

// Writes PNG through GDI+. On failure, error says why.
bool SavePng(const Capture& capture, const std::wstring& path, std::wstring& error);
