// A scene painted as the item's frame paints one, for tests of the paint alone: on an off-screen surface over the
// background, drawn, and copied to the target.
#pragma once
#include "render/PaintItem.h"
#include <string>

PaintResult PaintScene(HDC target, const RECT& client, const ItemBackground& background, const ItemScene& scene);
// The same, keeping the portraits' stretched copies in `fitted` between paints.
PaintResult PaintScene(HDC target, const RECT& client, const ItemBackground& background, const ItemScene& scene,
                       FittedPortraits& fitted);
// A selected item's background: the highlight in that colour, with no host to ask.
ItemBackground Highlight(COLORREF colour);
// A scene text pointing at the test's string.
SceneText Shown(const std::wstring& text);
// The notice on display; its portrait keyed as the first notice to arrive.
NoticeView NoticeShown(const std::wstring& sender, const std::wstring& text, FILETIME time = FILETIME(),
                       HBITMAP portrait = nullptr);
