// The parts of the stand-in that need no second process: notices files, the command line, the control
// protocol's packing.
#include "CommandLine.h"
#include "ControlProtocol.h"
#include "NoticesFile.h"
#include "toolbox/Utf8.h"
#include <gtest/gtest.h>
#include <string>

using namespace std::literals;

namespace {

std::vector<Notice> Parse(const std::string& json) {
    std::vector<Notice> notices;
    std::string error;
    EXPECT_TRUE(ParseNotices(json, notices, error)) << error;
    return notices;
}

ULONGLONG Count(const SYSTEMTIME& time) {
    FILETIME count = {};
    SystemTimeToFileTime(&time, &count);
    return (static_cast<ULONGLONG>(count.dwHighDateTime) << 32) | count.dwLowDateTime;
}

std::vector<BYTE> Bytes(const std::wstring& text) {
    const BYTE* bytes = reinterpret_cast<const BYTE*>(text.data());
    return std::vector<BYTE>(bytes, bytes + text.size() * sizeof(wchar_t));
}

}  // namespace

TEST(NoticesFile, ReadsTheFieldsTheKitSends) {
    auto notices = Parse(
        u8R"({"notices":[
        {"key":"k1","portrait":"C:\\p.bmp","sender":"李雷","text":"hi\tthere","time":"133604118000000000"},
        {"key":"k2"}]})");
    ASSERT_EQ(2u, notices.size());
    EXPECT_FALSE(notices[0].raw);
    EXPECT_EQ(L"k1", notices[0].key);
    EXPECT_EQ(L"C:\\p.bmp", notices[0].portrait);
    EXPECT_EQ(L"\u674E\u96F7", notices[0].sender);
    EXPECT_EQ(L"hi\tthere", notices[0].text);
    EXPECT_EQ(133604118000000000ull, Count(notices[0].time));
    // Absent fields are empty, an absent time is 0.
    EXPECT_EQ(L"k2", notices[1].key);
    EXPECT_TRUE(notices[1].portrait.empty() && notices[1].sender.empty() && notices[1].text.empty());
    EXPECT_EQ(0u, Count(notices[1].time));
}

TEST(NoticesFile, ConvertsTimesWithoutTimeZone) {
    auto notices = Parse(R"({"notices":[{"time":"2024-05-17 09:30"},{"time":"2024-05-17 09:30:15"},
        {"time":133604118000000000},{"time":"0"}]})");
    const ULONGLONG times[] = {133604118000000000ull, 133604118150000000ull, 133604118000000000ull, 0};
    ASSERT_EQ(std::size(times), notices.size());
    for (size_t i = 0; i < notices.size(); ++i) EXPECT_EQ(times[i], Count(notices[i].time)) << i;
}

TEST(NoticesFile, RawPayloadsPassUnchanged) {
    auto notices = Parse(R"({"notices":[{"raw":"a\u0000b\u0000"},{"rawHex":"41 00 42"},{"raw":""}]})");
    ASSERT_EQ(3u, notices.size());
    for (const Notice& notice : notices) EXPECT_TRUE(notice.raw);
    EXPECT_EQ(Bytes(L"a\0b\0"s), notices[0].bytes);
    EXPECT_EQ((std::vector<BYTE>{0x41, 0x00, 0x42}), notices[1].bytes);
    EXPECT_TRUE(notices[2].bytes.empty());
    EXPECT_EQ(L"b", notices[0].Field(NOTICE_FIELD_PORTRAIT)) << "a raw payload's fields as the item reads them";
}

TEST(NoticesFile, RejectsWhatItCannotSendAsMeant) {
    const struct {
        const char* json;
        const char* problem;
    } cases[] = {
        {"", "invalid JSON"},
        {R"({"notices":[{"key":"k"}])", "invalid JSON"},
        {R"([{"key":"k"}])", "\"notices\" array"},
        {R"({"notices":{}})", "\"notices\" array"},
        {R"({"notices":[],"extra":1})", "unknown top-level field \"extra\""},
        {R"({"notices":[{"key":"a"},{"sendr":"Li"}]})", "notice 2: unknown field \"sendr\""},
        {R"({"notices":[{"key":7}]})", "notice 1: \"key\" must be a string"},
        {R"({"notices":[{"time":"tomorrow"}]})", "\"time\" must be \"YYYY-MM-DD HH:MM\""},
        {R"({"notices":[{"time":"2024-02-30 10:00"}]})", "\"time\" must be"},
        {R"({"notices":[{"time":"2024-05-17 24:00"}]})", "\"time\" must be"},
        {R"({"notices":[{"time":1.5}]})", "\"time\" must be a string or an integer"},
        // Times the kit cannot send: only as raw payloads.
        {R"({"notices":[{"time":"-5"}]})", "whole milliseconds"},
        {R"({"notices":[{"time":-5}]})", "whole milliseconds"},
        {R"({"notices":[{"time":"7"}]})", "whole milliseconds"},
        {R"({"notices":[{"time":"99999999999999999999"}]})", "whole milliseconds"},
        {R"({"notices":[{"raw":"x","key":"k"}]})", "stand alone"},
        {R"({"notices":[{"rawHex":"4"}]})", "pairs of hex digits"},
        {R"({"notices":[3]})", "notice 1: must be an object"},
    };
    for (const auto& testCase : cases) {
        SCOPED_TRACE(testCase.json);
        std::vector<Notice> notices;
        std::string error;
        EXPECT_FALSE(ParseNotices(testCase.json, notices, error));
        EXPECT_NE(std::string::npos, error.find(testCase.problem)) << error;
    }
}

TEST(NoticesFile, NamesTheFileThatCannotBeRead) {
    std::vector<Notice> notices;
    std::string error;
    EXPECT_FALSE(LoadNoticesFile(L"C:\\no-such-folder\\notices.json", notices, error));
    EXPECT_NE(std::string::npos, error.find("notices file: cannot read 'C:\\no-such-folder\\notices.json': ")) << error;
}

TEST(CommandLine, ReadsEveryRunOption) {
    PeerCommand command;
    std::string error;
    ASSERT_TRUE(ParseCommandLine(
        {L"run", L"--notices", L"n.json", L"--transcript", L"t.log", L"--title-chinese", L"--hang-ping-ms", L"250",
         L"--refuse-key", L"--activate-answer", L"-3", L"--window-at", L"260,-5"},
        command, error))
        << error;
    EXPECT_EQ(PeerCommandKind::Run, command.kind);
    EXPECT_EQ(L"n.json", command.run.noticesPath);
    EXPECT_EQ(L"t.log", command.run.transcriptPath);
    EXPECT_TRUE(command.run.chinese);
    EXPECT_EQ(250u, command.run.hangPingMs);
    EXPECT_TRUE(command.run.refuseKey);
    EXPECT_EQ(-3, command.run.activateAnswer);
    EXPECT_TRUE(command.run.placed);
    EXPECT_EQ(260, command.run.windowAt.x);
    EXPECT_EQ(-5, command.run.windowAt.y);

    ASSERT_TRUE(ParseCommandLine({}, command, error));
    EXPECT_EQ(PeerCommandKind::Run, command.kind);
    EXPECT_EQ(1, command.run.activateAnswer);
    // A control command's numbers as they will be sent, defaults filled in.
    const struct {
        std::vector<std::wstring> args;
        std::vector<DWORD> values;
    } numbers[] = {
        {{L"status", L"4294967295"}, {0xFFFFFFFFu}},
        {{L"status", L"-1"}, {0xFFFFFFFFu}},
        {{L"status"}, {0}},
        {{L"restart"}, {0}},
        {{L"flood", L"3"}, {3, 100}},
        {{L"flood", L"3", L"0"}, {3, 0}},
        {{L"send"}, {}},
    };
    for (const auto& c : numbers) {
        ASSERT_TRUE(ParseCommandLine(c.args, command, error)) << error;
        EXPECT_EQ(PeerCommandKind::Control, command.kind);
        EXPECT_EQ(c.values, command.values) << ToUtf8(c.args[0]);
        EXPECT_TRUE(command.file.empty());
    }
}

TEST(ControlProtocol, NoticesSurvivePackingIncludingEmptyOnes) {
    std::vector<Notice> notices = Parse(
        u8R"({"notices":[
        {"key":"k1","portrait":"C:\\p.bmp","sender":"李雷","text":"hi","time":"2024-05-17 09:30:15"},
        {"rawHex":"01 02 03"},{"raw":""},{}]})");
    std::vector<BYTE> packed = PackNotices(notices);
    std::vector<Notice> unpacked;
    ASSERT_TRUE(UnpackNotices(packed.data(), packed.size(), unpacked));
    ASSERT_EQ(notices.size(), unpacked.size());
    for (size_t i = 0; i < notices.size(); ++i) {
        EXPECT_EQ(notices[i].raw, unpacked[i].raw) << i;
        EXPECT_EQ(notices[i].bytes, unpacked[i].bytes) << i;
        for (NoticeField field : {NOTICE_FIELD_KEY, NOTICE_FIELD_PORTRAIT, NOTICE_FIELD_SENDER, NOTICE_FIELD_TEXT})
            EXPECT_EQ(notices[i].Field(field), unpacked[i].Field(field)) << i;
        EXPECT_EQ(Count(notices[i].time), Count(unpacked[i].time)) << i;
    }
    EXPECT_FALSE(UnpackNotices(packed.data(), packed.size() - 1, unpacked));
    EXPECT_FALSE(UnpackNotices(packed.data(), 2, unpacked));
}
