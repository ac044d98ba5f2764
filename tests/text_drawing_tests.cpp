// Texts cut with "..." to fit: what is drawn is compared with DrawTextW of the text that should show.
#include "render/TextDrawing.h"
#include "support/Surface.h"
#include <gtest/gtest.h>

namespace {

constexpr int kWidth = 320, kHeight = 24;
constexpr COLORREF kPaper = RGB(0xFF, 0xFF, 0xFF);
constexpr COLORREF kInk = RGB(0, 0, 0);
constexpr int kLeft = 10, kTop = 5;  // the inner rectangle's origin; the insets are 2 and 2

RECT InnerRect(int availableWidth) { return {kLeft, kTop, kLeft + availableWidth, kTop + 16}; }

// DrawTextFitted into a rectangle whose inner width (after the insets) is availableWidth.
Capture Fitted(const std::wstring& text, int availableWidth, UINT format = DT_LEFT | DT_NOPREFIX) {
    Surface surface(kWidth, kHeight, kPaper);
    HFONT font = CreateItemFont(12);
    HGDIOBJ previous = SelectObject(surface.dc(), font);
    SetTextColor(surface.dc(), kInk);
    SetBkMode(surface.dc(), TRANSPARENT);
    RECT inner = InnerRect(availableWidth);
    DrawTextFitted(surface.dc(), text, {inner.left - 2, inner.top - 2, inner.right + 2, inner.bottom + 2}, format, 2, 2);
    SelectObject(surface.dc(), previous);
    DeleteObject(font);
    return surface.Pixels();
}

Capture Shown(const std::wstring& text, int availableWidth, UINT format = DT_LEFT | DT_NOPREFIX) {
    return RenderTexts(kWidth, kHeight, kPaper, kInk, {{text, InnerRect(availableWidth), format}});
}

const RECT kAll = {0, 0, kWidth, kHeight};

}  // namespace

// Ten equal characters of width w, "..." of width D, available width W.
TEST(DrawTextFitted, CutsAtTheFirstCharacterThatPassesWidthLessEllipsis) {
    const int D = ItemTextWidth(L"...");
    for (wchar_t c : {L'W', L'&', L'x'}) {
        const std::wstring ten(10, c);
        const int w = ItemTextWidth(std::wstring(1, c));
        SCOPED_TRACE(std::string(1, static_cast<char>(c)) + " width " + std::to_string(w));
        ASSERT_EQ(ItemTextWidth(ten), 10 * w);  // no kerning between equal characters
        ASSERT_GT(4 * w, D);                     // so the cut cases below really are cut

        struct Case {
            int available;
            std::wstring shown;
        } cases[] = {
            {10 * w + D, ten},                      // exactly W - D wide: not cut
            {10 * w, ten},                          // passes W - D but fits W: drawn whole
            {6 * w + D, std::wstring(6, c) + L"..."},
            {6 * w + D - 1, std::wstring(5, c) + L"..."},  // the character that overflowed is not drawn
            {D, L"..."},
            {0, L"..."},
        };
        for (const Case& k : cases) {
            SCOPED_TRACE("available " + std::to_string(k.available));
            EXPECT_TRUE(SameInArea(Fitted(ten, k.available), Shown(k.shown, k.available), kAll));
        }
    }
}

TEST(DrawTextFitted, EmptyAndShortTextsAreDrawnUnchanged) {
    EXPECT_EQ(Fitted(L"", 50).Count(kAll, kPaper), kWidth * kHeight);
    EXPECT_TRUE(SameInArea(Fitted(L"Bob", 200), Shown(L"Bob", 200), kAll));
    EXPECT_TRUE(SameInArea(Fitted(L"Bob", 40, DT_RIGHT), Shown(L"Bob", 40, DT_RIGHT), kAll));
}

// Whatever the width, the drawing is the whole text or a prefix that ends on a whole character followed
// by "..."; never half of a surrogate pair.
TEST(DrawTextFitted, NeverSplitsASurrogatePair) {
    const std::wstring pair = L"\U0001D400";  // outside the basic plane: two UTF-16 units
    ASSERT_EQ(pair.size(), 2u);
    std::wstring text = L"ab";
    for (int i = 0; i < 6; ++i) text += pair;
    const int full = ItemTextWidth(text);
    for (int available = 1; available <= full + 2; ++available) {
        SCOPED_TRACE("available " + std::to_string(available));
        std::vector<Capture> allowed = {Shown(text, available)};
        std::vector<std::wstring> prefixes = {L"", L"a", L"ab"};
        for (size_t end = 4; end < text.size(); end += 2) prefixes.push_back(text.substr(0, end));
        for (const std::wstring& prefix : prefixes) allowed.push_back(Shown(prefix + L"...", available));
        EXPECT_GE(MatchingPicture(Fitted(text, available), allowed, kAll), 0);
    }
}
