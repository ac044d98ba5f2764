// The notice payload and its entry: splitting, clean-up of the shown texts, the time field, and the lazily
// loaded portrait.
#include "link/NoticePayload.h"
#include "support/ItemTexts.h"
#include "support/NoticeFeed.h"
#include "support/ScratchFiles.h"
#include <gtest/gtest.h>
#include <memory>

using namespace std::string_literals;

namespace {

struct SplitCase {
    std::wstring text;
    std::vector<std::wstring> fields;
};

struct ParseCase {
    const char* name;
    std::wstring payload;
    std::wstring key, portraitPath, senderName, messageText;
    ULONGLONG time;
};

void PrintTo(const ParseCase& c, std::ostream* os) { *os << c.name; }

ULONGLONG TimeOf(const MessageEntry& entry) {
    return (static_cast<ULONGLONG>(entry.time.dwHighDateTime) << 32) | entry.time.dwLowDateTime;
}

std::unique_ptr<MessageEntry> Parsed(const std::wstring& payload, size_t count = std::wstring::npos) {
    return std::unique_ptr<MessageEntry>(ParseNotice(payload.data(), count == std::wstring::npos ? payload.size() : count));
}

void SetPath(MessageEntry& entry, const std::wstring& path) { entry.portraitPath.Assign(path.data(), path.size()); }

// The fields FindFields found, as text.
std::vector<std::wstring> Fields(const std::wstring& text) {
    PayloadField fields[NOTICE_FIELD_COUNT];
    const size_t found = FindFields(text.data(), text.size(), fields);
    std::vector<std::wstring> result;
    for (size_t i = 0; i < found; ++i) result.emplace_back(fields[i].text, fields[i].length);
    return result;
}

}  // namespace

TEST(FindFields, EverySeparatorStartsAFieldUpToTheFifth) {
    const SplitCase cases[] = {
        {L""s, {}},
        {L"x"s, {L"x"}},
        {L"x\0\0y"s, {L"x", L"", L"y"}},
        {L"x\0"s, {L"x", L""}},
        {L"\0"s, {L"", L""}},
        {L"\0\0"s, {L"", L"", L""}},
        {L"ab\0cd\0ef"s, {L"ab", L"cd", L"ef"}},
        {L"1\0" L"2\0" L"3\0" L"4\0" L"5\0" L"6\0" L"7"s, {L"1", L"2", L"3", L"4", L"5"}},
    };
    for (const auto& c : cases) EXPECT_EQ(Fields(c.text), c.fields) << "text of " << c.text.size() << " units";
}

TEST(ReplaceControlChars, OnlyBackspaceTabLineFeedAndReturnBecomeSpaces) {
    std::wstring text;
    for (wchar_t c = 1; c < 0x20; ++c) text.push_back(c);
    text += L"\u96C5x";
    std::wstring expected = text;
    for (wchar_t& c : expected)
        if (c == 0x08 || c == 0x09 || c == 0x0A || c == 0x0D) c = L' ';
    ReplaceControlChars(&text[0], text.size());
    EXPECT_EQ(text, expected);  // U+000B and U+000C among those kept; the length is unchanged
}

TEST(ReplaceLoneSurrogates, OnlyHalvesWithoutTheirPartnerBecomeReplacementCharacters) {
    const struct {
        std::wstring text, expected;
    } cases[] = {
        {L"a\xD83D\xDE00"
         L"b",
         L"a\xD83D\xDE00"
         L"b"},                  // a pair stays
        {L"\xD83D", L"\xFFFD"},  // high at the end
        {L"\xDE00"
         L"x",
         L"\xFFFD"
         L"x"},                                                                    // low at the start
        {L"\xDE00\xD83D", L"\xFFFD\xFFFD"},                                        // reversed
        {L"\xD83D\xD83D\xDE00", L"\xFFFD\xD83D\xDE00"},                            // high, then a pair
        {std::wstring(L"\xDBFF\0\xDF53", 3), std::wstring(L"\xFFFD\0\xFFFD", 3)},  // split by a NUL
    };
    for (const auto& c : cases) {
        std::wstring text = c.text;
        ReplaceLoneSurrogates(&text[0], text.size());
        EXPECT_EQ(text, c.expected) << "text of " << c.text.size() << " units";
    }
}

TEST(ParseNotice, DisplayedFieldsBecomeWellFormedKeyAndPathStayAsSent) {
    const std::wstring lone =
        L"x\xD912"
        L"y";
    std::wstring payload = lone + L'\0' + lone + L'\0' + lone + L'\0' + lone + L'\0' + L"5";
    auto entry = Parsed(payload);
    EXPECT_EQ(entry->key, lone);
    EXPECT_EQ(entry->portraitPath, lone);
    EXPECT_EQ(entry->senderName,
              L"x\xFFFD"
              L"y");
    EXPECT_EQ(entry->messageText,
              L"x\xFFFD"
              L"y");
}

class ParseNoticeTest : public ::testing::TestWithParam<ParseCase> {};

TEST_P(ParseNoticeTest, FillsTheEntry) {
    const ParseCase& c = GetParam();
    auto entry = Parsed(c.payload);
    ASSERT_TRUE(entry);
    EXPECT_EQ(entry->key, c.key);
    EXPECT_EQ(entry->portraitPath, c.portraitPath);
    EXPECT_EQ(entry->senderName, c.senderName);
    EXPECT_EQ(entry->messageText, c.messageText);
    EXPECT_EQ(TimeOf(*entry), c.time);
    EXPECT_FALSE(entry->portraitFailed);
    EXPECT_EQ(entry->portrait.get(), nullptr);
}

const ParseCase kParseCases[] = {
    {"FiveFields", JoinFields({L"k1", L"C:\\p.bmp", L"Ann", L"Hello", L"130000000000000000"}), L"k1", L"C:\\p.bmp",
     L"Ann", L"Hello", 130000000000000000ULL},
    {"TrailingSeparatorIsIgnored", JoinFields({L"k1", L"C:\\p.bmp", L"Ann", L"Hello", L"130000000000000000", L""}),
     L"k1", L"C:\\p.bmp", L"Ann", L"Hello", 130000000000000000ULL},
    {"ConsecutiveSeparatorsGiveEmptyMembers", JoinFields({L"k", L"", L"", L"", L"5"}), L"k", L"", L"", L"", 5},
    {"ControlCharsOnlyInShownTexts", JoinFields({L"k\t\r\n\b\v", L"p\t\n", L"s\b\t\n\r\v\f", L"t\r\n", L"1"}),
     L"k\t\r\n\b\v", L"p\t\n", L"s    \v\f", L"t  ", 1},
    {"MoreThanFiveFields", JoinFields({L"k", L"p", L"s", L"t", L"9", L"extra", L"more"}), L"k", L"p", L"s", L"t", 9},
    {"EmptyPayload", L"", L"", L"", L"", L"", 0},
    // Fewer than five fields: those present fill key, path, sender and text in order; time stays 0.
    {"OneField", L"only", L"only", L"", L"", L"", 0},
    {"TwoFields", JoinFields({L"k", L"p"}), L"k", L"p", L"", L"", 0},
    {"FourFieldsStillCleaned", JoinFields({L"k", L"p", L"s\tx", L"t\ny"}), L"k", L"p", L"s x", L"t y", 0},
    {"FourFieldsAndSeparatorLeaveTimeEmpty", JoinFields({L"k", L"p", L"s", L"t", L""}), L"k", L"p", L"s", L"t", 0},
};

INSTANTIATE_TEST_SUITE_P(Payloads, ParseNoticeTest, ::testing::ValuesIn(kParseCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(ParseNotice, TimeFieldReadsLeadingDecimalNumber) {
    const struct {
        std::wstring field;
        ULONGLONG time;
    } cases[] = {
        {L"42", 42},         {L"  42", 42},  {L"\t\n 42", 42},
        {L"42abc", 42},      {L"12 34", 12}, {L"+15", 15},
        {L"-1", ~0ULL},  // the bits of the signed value
        {L"-2x", ~0ULL - 1}, {L"abc", 0},    {L"", 0},
        {L"+", 0},           {L" - 5", 0},   {L"9223372036854775807", 0x7FFFFFFFFFFFFFFFULL},
    };
    for (const auto& c : cases) {
        const std::wstring payload = JoinFields({L"k", L"p", L"s", L"t", c.field});
        EXPECT_EQ(TimeOf(*Parsed(payload)), c.time)
            << "field of " << c.field.size() << " units";
    }
}

TEST(ParseNotice, ReadsExactlyTheCountGiven) {
    const std::wstring buffer = JoinFields({L"k", L"p", L"s", L"t", L"7TAIL"});
    auto entry = Parsed(buffer, 9);  // up to and including the time digit
    EXPECT_EQ(entry->messageText, L"t");
    EXPECT_EQ(TimeOf(*entry), 7u);
    entry = Parsed(buffer, 3);  // "k", "p"
    EXPECT_EQ(entry->key, L"k");
    EXPECT_EQ(entry->portraitPath, L"p");
    EXPECT_EQ(entry->senderName, L"");
}

TEST(PortraitBitmap, LoadsOnceAndKeepsTheBitmap) {
    ScratchFolder files;
    MessageEntry entry;
    SetPath(entry, files.WriteBitmap(L"a.bmp", 6, 4));
    HBITMAP first = entry.PortraitBitmap();
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(entry.PortraitBitmap(), first);
    BITMAP info = {};
    ASSERT_EQ(GetObjectW(first, sizeof(info), &info), static_cast<int>(sizeof(info)));
    EXPECT_EQ(info.bmWidth, 6);
    EXPECT_EQ(info.bmHeight, 4);
    EXPECT_FALSE(entry.portraitFailed);
}

TEST(PortraitBitmap, FailedLoadIsNotTriedAgain) {
    ScratchFolder files;
    MessageEntry missing;
    SetPath(missing, files.Path(L"late.bmp"));
    EXPECT_EQ(missing.PortraitBitmap(), nullptr);
    EXPECT_TRUE(missing.portraitFailed);
    files.WriteBitmap(L"late.bmp");  // the file appears after the failed load
    EXPECT_EQ(missing.PortraitBitmap(), nullptr);
    // Another entry with the same path tries on its own.
    MessageEntry other;
    other.portraitPath.Assign(missing.portraitPath);
    EXPECT_NE(other.PortraitBitmap(), nullptr);

    MessageEntry empty;  // an empty path fails the same way
    EXPECT_EQ(empty.PortraitBitmap(), nullptr);
    EXPECT_TRUE(empty.portraitFailed);
}

TEST(PortraitBitmap, ReleasingOrDestroyingTheEntryDeletesTheBitmap) {
    ScratchFolder files;
    auto entry = std::make_unique<MessageEntry>();
    SetPath(*entry, files.WriteBitmap(L"a.bmp"));
    for (bool destroy : {false, true}) {
        HBITMAP bitmap = entry->PortraitBitmap();
        ASSERT_EQ(GetObjectType(bitmap), static_cast<DWORD>(OBJ_BITMAP));
        if (destroy) entry.reset();
        else entry->ReleasePortrait();
        EXPECT_EQ(GetObjectType(bitmap), 0u);
    }
}

// What the item takes of a notice: each bound, and one past it.
TEST(ParseNotice, KeepsEachFieldWithinItsBound) {
    const std::wstring key(NOTICE_KEY_MAX_UNITS, L'k'), path(PORTRAIT_PATH_MAX_UNITS, L'p');
    const std::wstring shown(DISPLAYED_TEXT_MAX_UNITS, L's');
    const struct {
        const char* name;
        std::wstring payload;
        bool taken;
        size_t key, path, sender, text;
    } rows[] = {
        {"every field at its bound", JoinFields({key, path, shown, shown, L"1"}), true, key.size(), path.size(),
         shown.size(), shown.size()},
        {"a key one past: refused", JoinFields({key + L"k", L"", L"s", L"t", L"1"}), false, 0, 0, 0, 0},
        {"a path one past: no portrait", JoinFields({L"k", path + L"p", L"s", L"t", L"1"}), true, 1, 0, 1, 1},
        {"sender and text one past: cut", JoinFields({L"k", L"", shown + L"s", shown + L"t", L"1"}), true, 1, 0,
         shown.size(), shown.size()},
        {"a pair across the cut: kept whole or not at all",
         JoinFields({L"k", L"", shown.substr(1) + L"\xD83D\xDE00", L"t", L"1"}), true, 1, 0, shown.size() - 1, 1},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        auto entry = Parsed(row.payload);
        ASSERT_EQ(entry != nullptr, row.taken);
        if (!entry) continue;
        EXPECT_EQ(entry->key.Length(), row.key);
        EXPECT_EQ(entry->portraitPath.Length(), row.path);
        EXPECT_EQ(entry->senderName.Length(), row.sender);
        EXPECT_EQ(entry->messageText.Length(), row.text);
    }
}
