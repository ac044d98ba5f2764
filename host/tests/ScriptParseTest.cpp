#include <gtest/gtest.h>
#include <windows.h>
#include "Script.h"

namespace {

struct Parsed {
    bool ok;
    std::vector<ScriptStep> steps;
    ScriptProblem problem;
};

Parsed Parse(const std::wstring& text) {
    Parsed parsed;
    parsed.ok = ParseScript(text, parsed.steps, parsed.problem);
    return parsed;
}

TEST(ScriptParse, StepsKeepTheirLineNumbersAcrossCommentsAndBlankLines) {
    // Comments are prose: quotes in them, closed or not, are no words.
    Parsed parsed = Parse(L"# the (\"one-line\") view, a \" alone\n\nrefresh\r\n   key   down  \ntap 10 200\n");
    ASSERT_TRUE(parsed.ok) << parsed.problem.line;
    ASSERT_EQ(3u, parsed.steps.size());
    EXPECT_EQ(3, parsed.steps[0].line);
    EXPECT_EQ(L"refresh", parsed.steps[0].verb);
    EXPECT_EQ(4, parsed.steps[1].line);
    EXPECT_EQ(std::vector<std::wstring>{L"down"}, parsed.steps[1].args);
    EXPECT_EQ(5, parsed.steps[2].line);
}

TEST(ScriptParse, QuotedWordsKeepTheirBlanks) {
    Parsed parsed = Parse(L"run \"C:\\Program Files\\Peer.exe\" --say \"two words\" last");
    ASSERT_TRUE(parsed.ok);
    std::vector<std::wstring> expected = {L"C:\\Program Files\\Peer.exe", L"--say", L"two words", L"last"};
    EXPECT_EQ(expected, parsed.steps[0].args);
}

TEST(ScriptParse, ProblemsNameTheirLine) {
    struct Case {
        const wchar_t* script;
        int line;
        const wchar_t* fragment;
    } cases[] = {
        {L"refresh\n\nfly away\n", 3, L"unknown step 'fly'"},
        {L"key\n", 1, L"wrong number of words for key"},
        {L"refresh\nkey sideways\n", 2, L"unknown key 'sideways'"},
        {L"tap 10\n", 1, L"wrong number of words for tap"},
        {L"tap 10 -5\n", 1, L"must not be negative"},
        {L"pump soon\n", 1, L"'soon' is not a number"},
        {L"timeout 0\n", 1, L"must be above 0"},
        {L"options maybe\n", 1, L"must be ok or cancel"},
        {L"refresh now\n", 1, L"wrong number of words for refresh"},
        {L"# fine\nscreenshot \"unclosed.png\n", 2, L"quote is not closed"},
        {L"expect-height Ardeno\n", 1, L"wrong number of words"},
        {L"rotate left\n", 1, L"wrong number of words for rotate"},
        {L"refresh\nscreen 320x240@96\n", 2, L"screen: '320x240@96' is not a screen: WIDTHxHEIGHT,"},
        {L"screen 320x0\n", 1, L"width and height must be whole numbers"},
        {L"theme\n", 1, L"wrong number of words for theme"},
        {L"refresh\ntheme sepia\n", 2, L"theme: unknown theme 'sepia' (light, dark or contrast)"},
    };
    for (const Case& c : cases) {
        Parsed parsed = Parse(c.script);
        EXPECT_FALSE(parsed.ok) << c.script;
        EXPECT_EQ(c.line, parsed.problem.line) << c.script;
        EXPECT_NE(std::wstring::npos, parsed.problem.message.find(c.fragment))
            << c.script << " gave: " << std::string(parsed.problem.message.begin(), parsed.problem.message.end());
    }
}

TEST(ScriptParse, PercentNamesExpandFromTheEnvironmentWordByWord) {
    SetEnvironmentVariableW(L"SCRIPT_TEST_DIR", L"C:\\out dir");
    SetEnvironmentVariableW(L"SCRIPT_TEST_DELAY", L"400");
    SetEnvironmentVariableW(L"SCRIPT_TEST_NESTED", L"%SCRIPT_TEST_DELAY% \"x\"");
    SetEnvironmentVariableW(L"SCRIPT_TEST_UNSET", nullptr);
    struct Case {
        const wchar_t* script;
        std::vector<std::wstring> args;  // of the last step
        const wchar_t* problem;          // a fragment of the problem on line 1; null when the script is fine
    } cases[] = {
        {L"screenshot \"%SCRIPT_TEST_DIR%\\a.png\"", {L"C:\\out dir\\a.png"}, nullptr},
        // A value's blanks, quotes and percent signs neither split the word nor expand again.
        {L"screenshot %SCRIPT_TEST_DIR%\\a.png", {L"C:\\out dir\\a.png"}, nullptr},
        {L"run %SCRIPT_TEST_NESTED% 100%% %%SCRIPT_TEST_DELAY%%",
         {L"%SCRIPT_TEST_DELAY% \"x\"", L"100%", L"%SCRIPT_TEST_DELAY%"},
         nullptr},
        {L"pump %SCRIPT_TEST_DELAY%", {L"400"}, nullptr},
        {L"# %SCRIPT_TEST_UNSET% in a comment\nrefresh", {}, nullptr},
        {L"run peer.exe %SCRIPT_TEST_UNSET%", {}, L"run: %SCRIPT_TEST_UNSET% is not set in the environment"},
        {L"run peer.exe 100%", {}, L"'100%' has a % without a closing one"},
        {L"pump %SCRIPT_TEST_DIR%", {}, L"'C:\\out dir' is not a number"},
    };
    for (const Case& c : cases) {
        Parsed parsed = Parse(c.script);
        if (c.problem) {
            EXPECT_FALSE(parsed.ok) << c.script;
            EXPECT_EQ(1, parsed.problem.line) << c.script;
            EXPECT_NE(std::wstring::npos, parsed.problem.message.find(c.problem))
                << c.script << " gave: " << std::string(parsed.problem.message.begin(), parsed.problem.message.end());
        } else {
            ASSERT_TRUE(parsed.ok) << c.script;
            EXPECT_EQ(c.args, parsed.steps.back().args) << c.script;
        }
    }
}

TEST(ScriptParse, RunAndStartTakeAnyNumberOfArguments) {
    EXPECT_TRUE(Parse(L"run peer.exe\nstart peer.exe a b c d e f\n").ok);
    EXPECT_FALSE(Parse(L"run\n").ok);
}

TEST(ScriptParse, StepListCountsEachStepAsALine) {
    std::vector<ScriptStep> steps;
    ScriptProblem problem;
    EXPECT_TRUE(ParseStepList(L"refresh; key right;screenshot a.png", steps, problem));
    ASSERT_EQ(3u, steps.size());
    EXPECT_EQ(L"screenshot", steps[2].verb);
    EXPECT_EQ(3, steps[2].line);

    steps.clear();
    EXPECT_FALSE(ParseStepList(L"refresh; key north", steps, problem));
    EXPECT_EQ(2, problem.line);
}

}  // namespace
