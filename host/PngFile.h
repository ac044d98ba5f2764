// PNG files through GDI+: the host's screenshots are written so (their pixels read back by
// toolbox/WindowCapture.h), and its tests read them back.
#pragma once
#include <string>
#include "toolbox/WindowCapture.h"

// On failure, error says why.
bool SavePng(const Capture& capture, const std::wstring& path, std::wstring& error);
// False when the file cannot be read as a picture.
bool LoadPng(const std::wstring& path, Capture& capture);
