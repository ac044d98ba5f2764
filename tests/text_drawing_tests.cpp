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
    GdiObject<HFONT> font(CreateItemFont(12));
    SelectedObject selected(surface.dc(), font.get());
    SetTextColor(surface.dc(), kInk);
    SetBkMode(surface.dc(), TRANSPARENT);
    RECT inner = InnerRect(availableWidth);
    DrawTextFitted(surface.dc(), text.data(), text.size(), {inner.left - 2, inner.top - 2, inner.right + 2, inner.bottom + 2}, format, 2,
                   2);
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
        ASSERT_GT(4 * w, D);                    // so the cut cases below really are cut

        struct Case {
            int available;
            std::wstring shown;
        } cases[] = {
            {10 * w + D, ten},  // exactly W - D wide: not cut
            {10 * w, ten},      // passes W - D but fits W: drawn whole
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

// The cut falls where summing each character's own width puts it: Latin, Chinese, pairs, marks and digits
// at many widths.
TEST(DrawTextFitted, CutsWhereEachCharacterMeasuredAloneSaysSo) {
    const int D = ItemTextWidth(L"...");
    const std::wstring texts[] = {
        L"Quarterly figures & forecast (draft 7)",
        L"\u96C5\u8BFA\u6761\u65B0\u6D88\u606F\u4F60\u597D\u4E16\u754C",
        L"mix \u96C5 \xD83D\xDE00 pair \xD83D\xDE00\xD83D\xDE00 end",
        L"e\u0301e\u0301e\u0301 marks 0123456789 WWW iii",
    };
    for (const std::wstring& text : texts) {
        int sum = 0;
        std::vector<std::pair<size_t, int>> ends;  // each character's end and the sum of widths up to it
        for (size_t at = 0; at < text.size();) {
            size_t length =
                at + 1 < text.size() && IS_HIGH_SURROGATE(text[at]) && IS_LOW_SURROGATE(text[at + 1]) ? 2 : 1;
            sum += ItemTextWidth(text.substr(at, length));
            at += length;
            ends.emplace_back(at, sum);
        }
        for (int available = 0; available <= sum + D; available += 7) {
            std::wstring shown = text;
            for (size_t i = 0; i < ends.size(); ++i) {
                if (ends[i].second <= available - D) continue;
                if (sum > available) shown = text.substr(0, i ? ends[i - 1].first : 0) + L"...";
                break;
            }
            SCOPED_TRACE("available " + std::to_string(available));
            EXPECT_TRUE(SameInArea(Fitted(text, available), Shown(shown, available), kAll));
        }
    }
}
