#include "ScenePaint.h"

PaintResult PaintScene(HDC target, const RECT& client, const ItemBackground& background, const ItemScene& scene,
                       FittedPortraits& fitted) {
    PaintSurface surface(target, client);
    DrawItemBackground(surface.get(), client, background);
    const PaintResult result = DrawItemScene(surface.get(), client, scene, ItemLayout(), fitted);
    surface.CopyTo(target);
    return result;
}

PaintResult PaintScene(HDC target, const RECT& client, const ItemBackground& background, const ItemScene& scene) {
    FittedPortraits fitted;
    return PaintScene(target, client, background, scene, fitted);
}

ItemBackground Highlight(COLORREF colour) { return {nullptr, nullptr, true, colour}; }

SceneText Shown(const std::wstring& text) { return {text.data(), text.size()}; }

NoticeView NoticeShown(const std::wstring& sender, const std::wstring& text, FILETIME time, HBITMAP portrait) {
    return {Shown(sender), Shown(text), time, portrait, 1, false};
}
