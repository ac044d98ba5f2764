// The conversions' edges that their callers rely on: the stand-in's transcript and the host's step log stay
// valid UTF-8 whatever text they report, the host reads a stray byte as U+FFFD, the stand-in's notices file
// refuses it.
#include "toolbox/Utf8.h"
#include <gtest/gtest.h>

namespace {

using namespace std::string_literals;

TEST(Utf8, WellFormedTextsGoBothWaysUnchanged) {
    const std::wstring texts[] = {L"", L"Ardeno", L"雅诺 (3)条新消息", L"k\0\0Wu"s, L"\U0001F600 \u00E9"};
    for (const std::wstring& text : texts) {
        std::wstring strict = L"stale";
        EXPECT_TRUE(FromUtf8Strict(ToUtf8(text), strict));
        EXPECT_EQ(strict, text);
        EXPECT_EQ(FromUtf8(ToUtf8(text)), text);
    }
    EXPECT_EQ(ToUtf8(L"k\0\u9510"s), "k\0\xE9\x94\x90"s);
}

TEST(Utf8, IllFormedInputBecomesReplacementOrIsRefused) {
    // Lone surrogates, high or low, at the end or inside.
    EXPECT_EQ(ToUtf8(L"a\xD83D"), "a\xEF\xBF\xBD");
    EXPECT_EQ(ToUtf8(L"\xDE00z"), "\xEF\xBF\xBDz");
    struct {
        const char* name;
        std::string bytes;
        std::wstring lenient;
    } const cases[] = {
        {"stray continuation byte", "a\x80z", L"a\xFFFDz"},
        {"cut-short sequence at the end", "a\xE9\x94", L"a\xFFFD"},
        {"byte that never occurs", "\xFF", L"\xFFFD"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(FromUtf8(c.bytes), c.lenient);
        std::wstring strict = L"stale";
        EXPECT_FALSE(FromUtf8Strict(c.bytes, strict));
        EXPECT_TRUE(strict.empty());
    }
}

}  // namespace
