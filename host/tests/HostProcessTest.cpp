// TodayHost.exe as a program: its script errors, and a scripted run from start to screenshot.
#include <gtest/gtest.h>
#include <sstream>
#include "HostTestSupport.h"
#include "support/ScratchFiles.h"
#include "platform/ScopedHandles.h"
#include "PngFile.h"
#include "StepLog.h"
#include "toolbox/Utf8.h"

namespace {

struct HostRun {
    DWORD exitCode = 0xFFFFFFFF;
    std::string out;
    std::string err;
};

KernelHandle InheritableFile(const std::wstring& path) {
    SECURITY_ATTRIBUTES security = {sizeof(security), nullptr, TRUE};
    return KernelHandle(
        CreateFileW(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, &security, CREATE_ALWAYS, 0, nullptr));
}

// Runs TodayHost.exe with these arguments; its output goes to files, read once it has exited.
HostRun RunHost(const std::wstring& arguments) {
    HostRun run;
    const ScratchFolder scratch;
    const std::wstring outPath = scratch.Path(L"out.txt"), errPath = scratch.Path(L"err.txt");
    KernelHandle out = InheritableFile(outPath), err = InheritableFile(errPath);
    STARTUPINFOW startup = {};
    startup.cb = sizeof(startup);
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
    startup.hStdOutput = out.get();
    startup.hStdError = err.get();
    PROCESS_INFORMATION info = {};
    std::wstring commandLine = L"\"" + ProgramFolder() + L"\\TodayHost.exe\" " + arguments;
    std::vector<wchar_t> buffer(commandLine.begin(), commandLine.end());
    buffer.push_back(0);
    if (CreateProcessW(nullptr, buffer.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup, &info)) {
        KernelHandle process(info.hProcess), thread(info.hThread);
        if (WaitForSingleObject(process.get(), 60000) != WAIT_OBJECT_0) TerminateProcess(process.get(), 99);
        GetExitCodeProcess(process.get(), &run.exitCode);
    }
    out.Reset();
    err.Reset();
    run.out = ReadFileText(outPath);
    run.err = ReadFileText(errPath);
    return run;
}

TEST(HostProgram, ScriptProblemsNameTheLineAndFailTheRun) {
    struct Case {
        const char* script;
        const char* message;  // after "<script>:"
    } cases[] = {
        {"# comment\n\nrefresh\nkey sideways\n", "4: key: unknown key 'sideways'"},
        {"refresh\njump 3\n", "2: unknown step 'jump'"},
        {"tap 10\n", "1: wrong number of words for tap"},
        // Found while running: a bounded wait that runs out, a program that cannot start.
        {"timeout 100\nwait-window NoSuchWindowClass\n", "2: wait-window: no window of class 'NoSuchWindowClass'"},
        {"refresh\n\nrun Z:\\no\\such\\program.exe\n", "3: run: cannot start Z:\\no\\such\\program.exe"},
        {"tap 5000 10\n", "1: tap: 5000,10 is outside the 240 x 320 screen"},
        {"expect-selected Nobody\n", "1: expect-selected: the selection is on 'none', not 'Nobody'"},
    };
    const ScratchFolder scratch;
    const std::wstring script = scratch.Path(L"problem.script");
    const std::string scriptName = ToUtf8(script);
    for (const Case& c : cases) {
        scratch.Write(L"problem.script", c.script);
        HostRun run = RunHost(L"--qvga --refresh-interval 0 --items-key Software\\ArdenoHostTests\\None --script \"" +
                              script + L"\"");
        EXPECT_EQ(1u, run.exitCode) << c.script;
        EXPECT_NE(std::string::npos, run.err.find(scriptName + ":" + c.message)) << c.script << "\nstderr: " << run.err;
    }
}

TEST(HostProgram, StepsOnTheCommandLineAndMissingScriptsAreReportedToo) {
    const struct {
        const wchar_t* arguments;
        DWORD exitCode;
        const char* message;
    } cases[] = {
        {L"--items-key Software\\ArdenoHostTests\\None --steps \"refresh; key north\"", 1,
         "steps:2: key: unknown key 'north'"},
        {L"--script Z:\\no\\such\\file.script", 1, "--script: cannot read 'Z:\\no\\such\\file.script': "},
        {L"--stay", 2, "--stay needs --script or --steps"},
        // The screen's resolution is the prefix's (96 dpi here): a screen meant for another is refused at once.
        {L"--items-key Software\\ArdenoHostTests\\None --screen 640x480@192 --steps refresh", 2,
         "--screen 640x480@192 asks for 192 dpi, but the screen here has 96 dpi"},
        {L"--frobnicate", 2, "unknown argument '--frobnicate'"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(ToUtf8(c.arguments));
        const HostRun run = RunHost(c.arguments);
        EXPECT_EQ(c.exitCode, run.exitCode);
        EXPECT_NE(std::string::npos, run.err.find(c.message)) << run.err;
    }
}

TEST(HostProgram, AScriptedRunShowsTheRegisteredItemsAndWritesTheScreenshot) {
    RegisteredItems registry;
    registry.Add({L"Marked", 'A', 0, TEST_ITEM_FLAGS(24, 2)});
    const ScratchFolder scratch;
    const std::wstring png = scratch.Path(L"run.png"), log = scratch.Path(L"run.log"),
                       steps = scratch.Path(L"run.steps");
    const std::wstring script = scratch.Write(L"run.script",
                                              "expect-height Marked 24\n"
                                              "key down\n"
                                              "expect-selected Marked\n"
                                              "tap 2 2\n"  // the bar: the host's own area
                                              "expect-selected none\n"
                                              "screenshot \"" +
                                                  ToUtf8(png) +
                                                  "\"\n"
                                                  "exit 7\n");
    SetEnvironmentVariableW(TEST_ITEM_LOG_VARIABLE, log.c_str());
    HostRun run = RunHost(std::wstring(L"--qvga --refresh-interval 0 --items-key ") + TEST_ITEMS_KEY + L" --script \"" +
                          script + L"\" --step-log \"" + steps + L"\" --watch \"" + log + L"\"");
    SetEnvironmentVariableW(TEST_ITEM_LOG_VARIABLE, nullptr);

    EXPECT_EQ(7u, run.exitCode) << run.err;
    EXPECT_NE(std::string::npos, run.out.find("screenshot " + ToUtf8(png))) << run.out;
    // The item lies below the bar (20) and the date line (22) at 96 dpi; its marker is at its top right.
    Capture image;
    ASSERT_TRUE(LoadPng(png, image));
    EXPECT_EQ(240, image.width);
    EXPECT_EQ(320, image.height);
    EXPECT_EQ(kTestItemColors[2], image.At(240 - 4 - TEST_ITEM_MARKER_SIZE / 2, 42 + 4 + TEST_ITEM_MARKER_SIZE / 2));

    // On the way out the item was told to drop its cache before its DLL was unloaded.
    const std::vector<RecordedMessage> rows = ReadTestItemRows(log);
    ASSERT_GE(rows.size(), 2u);
    EXPECT_TRUE(SequenceIs({rows.end() - 2, rows.end()},
                           {{WM_TODAYCUSTOM_CLEARCACHE, Delivery::Sent, 0, 0}, {TEST_ITEM_UNLOADED, Delivery::Sent}}));
    const size_t clear = (rows.size() - 2) * sizeof(TestItemRow);  // where the clear-cache row begins in the file

    // One line a step: the step, the item's height, and how much of the item's rows were written by then.
    std::istringstream stepLines(ReadFileText(steps));
    std::vector<std::string> lines;
    for (std::string line; std::getline(stepLines, line);) lines.push_back(line);
    ASSERT_EQ(7u, lines.size()) << ReadFileText(steps);
    EXPECT_EQ(0u, lines[0].find(R"({"line":1,"step":"expect-height","args":["Marked","24"],)"
                                R"("items":[{"name":"Marked","height":24}],"notifications":[],"watched":)"))
        << lines[0];
    EXPECT_NE(std::string::npos, lines[5].find(R"("step":"screenshot","args":[)" + JsonString(png) + "]"));
    const size_t watched = std::stoul(lines[6].substr(lines[6].find("\"watched\":") + 10));
    EXPECT_GT(watched, 0u);
    EXPECT_LE(watched, clear) << "the clear-cache came after the last step";
}

// With --stay the host runs on by hand once its script is done, and a closed window ends it with 0.
TEST(HostProgram, StayKeepsTheHostOpenAfterItsScriptUntilTheWindowCloses) {
    const wchar_t* signalName = L"HostProgramStayScriptDone";
    KernelHandle scriptDone(CreateSemaphoreW(nullptr, 0, 1, signalName));
    SetEnvironmentVariableW(L"ARDENO_LAUNCH_SIGNAL", signalName);
    std::wstring commandLine =
        L"\"" + ProgramFolder() +
        L"\\TodayHost.exe\" --qvga --refresh-interval 0 --items-key "
        L"Software\\ArdenoHostTests\\None --stay --steps \"run %TODAY_HOST_DIR%\\launch_recorder.exe\"";
    std::vector<wchar_t> buffer(commandLine.begin(), commandLine.end());
    buffer.push_back(0);
    STARTUPINFOW startup = {};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION info = {};
    ASSERT_TRUE(CreateProcessW(nullptr, buffer.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &info));
    SetEnvironmentVariableW(L"ARDENO_LAUNCH_SIGNAL", nullptr);
    KernelHandle process(info.hProcess), thread(info.hThread);

    HANDLE waits[] = {scriptDone.get(), process.get()};
    ASSERT_EQ(WAIT_OBJECT_0, WaitForMultipleObjects(2, waits, FALSE, 30000)) << "the script did not reach its end";
    // A host that closed at the end of its script would be gone well within this; a staying one never goes.
    EXPECT_EQ(static_cast<DWORD>(WAIT_TIMEOUT), WaitForSingleObject(process.get(), 500)) << "closed after the script";
    HWND window = nullptr;
    // The host's window exists since before the script ran; it belongs to the host's process.
    for (HWND candidate = FindWindowExW(nullptr, nullptr, TODAY_HOST_CLASS, nullptr); candidate && !window;
         candidate = FindWindowExW(nullptr, candidate, TODAY_HOST_CLASS, nullptr)) {
        DWORD owner = 0;
        GetWindowThreadProcessId(candidate, &owner);
        if (owner == info.dwProcessId) window = candidate;
    }
    ASSERT_NE(nullptr, window);
    PostMessageW(window, WM_CLOSE, 0, 0);
    ASSERT_EQ(WAIT_OBJECT_0, WaitForSingleObject(process.get(), 30000));
    DWORD code = 99;
    GetExitCodeProcess(process.get(), &code);
    EXPECT_EQ(0u, code);
}

}  // namespace
