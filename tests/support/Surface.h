// Off-screen drawing for paint tests: a 32-bit surface whose pixels can be read, the item's font, and
// reference renderings of texts to compare a painted window against.
#pragma once
#include "toolbox/WindowCapture.h"
#include "ScratchFiles.h"
#include "platform/ScopedHandles.h"
#include <gtest/gtest.h>
#include <string>
#include <vector>

// A top-down 32-bit DIB selected into a memory DC, filled with one colour.
class Surface {
public:
    Surface(int width, int height, COLORREF background);
    Surface(const Surface&) = delete;
    Surface& operator=(const Surface&) = delete;

    HDC dc() const { return memory.get(); }
    Capture Pixels() const;

private:
    int width, height;
    void* bits = nullptr;  // set up before the bitmap, which fills it in
    MemoryDC memory;
    GdiObject<HBITMAP> bitmap;
    SelectedObject selected;
};

// The item's font: the stock system font's description with a character height of fontHeight pixels.
HFONT CreateItemFont(int fontHeight);

// Width of a text in the item's font, as one run.
int ItemTextWidth(const std::wstring& text, int fontHeight = 12);

// Height of the item font's character cell (ascent and descent), which DrawTextW fills from a line's top.
int ItemFontCellHeight(int fontHeight);

struct TextAt {
    std::wstring text;
    RECT rect;
    UINT format = DT_LEFT;
};

// What the item should show: the texts drawn with DrawTextW in the item's font and colour, transparent,
// over a plain background of the given size.
Capture RenderTexts(int width, int height, COLORREF background, COLORREF colour, const std::vector<TextAt>& texts,
                    int fontHeight = 12);

// Every pixel of the area equal in both pictures.
::testing::AssertionResult SameInArea(const Capture& actual, const Capture& expected, const RECT& area);

// Pixels of the area that differ from the given colour.
int CountOther(const Capture& capture, const RECT& area, COLORREF colour);

// Live GDI objects of this process. GetGuiResources answers 0 under Wine, so the handle table is probed:
// every 16-bit index that GetObjectType accepts is an object in use (stock objects included).
int CountGdiObjects();

// The smallest rectangle (right and bottom exclusive) holding every pixel of the colour in the area (the whole
// capture by default); empty if none.
constexpr RECT kWholeCapture = {0, 0, 0x7FFFFFFF, 0x7FFFFFFF};
RECT BoundsOf(const Capture& capture, COLORREF colour, const RECT& area = kWholeCapture);
// The same for every pixel that differs from the background.
RECT InkBounds(const Capture& capture, COLORREF background, const RECT& area = kWholeCapture);

// Index of the first candidate picture that equals the capture in the area, or -1.
int MatchingPicture(const Capture& capture, const std::vector<Capture>& candidates, const RECT& area);
