// A handheld low on memory: each of the item's calls that take memory or make GDI and USER objects fails in turn,
// alone and then with the 49 after it, while the item is loaded, pushed to, painted, paged and acted on
// (tools/shortage_child.cpp). No run may crash or hang, hand back a key that was not on screen, keep a notice it
// answered 0 or lose one it answered 1, paint otherwise than before once memory returns, or leave anything behind
// after its unload. Two child processes share the schedules; one that crashes or hangs is started again after the
// schedule it was on.
#include "support/ChildRun.h"
#include "support/ItemHarness.h"
#include "support/ItemImports.h"
#include "support/MainApplication.h"
#include "support/NoticeFeed.h"
#include "support/PeerProcess.h"  // ProgramFolder
#include "support/ScratchFiles.h"
#include "toolbox/MessagePump.h"
#include "platform/ScopedHandles.h"
#include <gtest/gtest.h>
#include <deque>
#include <sstream>

namespace {

constexpr DWORD kScheduleBoundMs = 20000;  // no schedule takes a fraction of this unless it hangs
constexpr unsigned kShortRun = 50;
constexpr int kChildren = 2;

const std::wstring kChild = L"shortage_child.exe";

// One child working through its share of the schedules, and what it reported so far.
struct Worker {
    std::deque<std::wstring> pending;
    std::wstring results;
    KernelHandle process;
    size_t reported = 0;  // result lines read
    DWORD lastProgress = 0;  // tick count of its start or of its last line
    std::vector<std::string> failures;

    // Starts a child on what is pending; false when nothing is.
    bool Start(const std::wstring& progressName) {
        if (pending.empty()) return false;
        const std::wstring path = ProgramFolder() + L"\\" + kChild;
        std::wstring commandLine = L"\"" + path + L"\" \"" + results + L"\"";
        for (const std::wstring& schedule : pending) commandLine += L" " + schedule;
        SetEnvironmentVariableW(L"ARDENO_SHORTAGE_PROGRESS", progressName.c_str());
        STARTUPINFOW startup = {};
        startup.cb = sizeof(startup);
        PROCESS_INFORMATION started = {};
        if (!CreateProcessW(path.c_str(), &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                            &started)) {
            failures.push_back("cannot start " + std::to_string(GetLastError()));
            pending.clear();
            return false;
        }
        CloseHandle(started.hThread);
        process.Reset(started.hProcess);
        lastProgress = GetTickCount();
        return true;
    }

    // Takes in the lines written since the last look.
    void Read() {
        std::istringstream text(ReadFileText(results));
        std::string line;
        std::vector<std::string> lines;
        while (std::getline(text, line)) lines.push_back(line);
        if (reported < lines.size()) lastProgress = GetTickCount();
        for (; reported < lines.size(); ++reported) {
            if (!pending.empty()) pending.pop_front();
            const std::string& result = lines[reported];
            if (result.find(" ok") == std::string::npos) failures.push_back(result);
        }
    }

    // The child ended (or was ended): the schedule it was on, if any, crashed or hung; the rest go on anew.
    void Ended(const char* how) {
        Read();
        process.Reset();
        if (pending.empty()) return;
        std::string schedule(pending.front().begin(), pending.front().end());
        failures.push_back(schedule + " " + how);
        pending.pop_front();
    }
};

}  // namespace

TEST(MemoryShortage, EachCallFailingAloneOrInARunLeavesTheTodayScreenWorkingAndNothingBehind) {
    const ScratchFolder scratch;
    // The item's calls in one schedule without shortage, which must itself hold.
    const std::wstring countPath = scratch.Path(L"count.txt");
    SECURITY_ATTRIBUTES inheritable = {sizeof(inheritable), nullptr, TRUE};
    {
        KernelHandle output(CreateFileW(countPath.c_str(), GENERIC_WRITE, FILE_SHARE_READ, &inheritable, CREATE_ALWAYS,
                                        FILE_ATTRIBUTE_NORMAL, nullptr));
        const std::wstring path = ProgramFolder() + L"\\" + kChild;
        std::wstring commandLine = L"\"" + path + L"\" count";
        STARTUPINFOW startup = {};
        startup.cb = sizeof(startup);
        startup.dwFlags = STARTF_USESTDHANDLES;
        startup.hStdOutput = startup.hStdError = output.get();
        PROCESS_INFORMATION started = {};
        ASSERT_TRUE(CreateProcessW(path.c_str(), &commandLine[0], nullptr, nullptr, TRUE, 0, nullptr, nullptr,
                                   &startup, &started));
        CloseHandle(started.hThread);
        KernelHandle process(started.hProcess);
        ASSERT_TRUE(PumpUntilSignalled(process.get(), kScheduleBoundMs));
    }
    unsigned calls = 0;
    std::istringstream counted(ReadFileText(countPath));
    std::string word, verdict;
    counted >> word >> calls >> verdict;
    ASSERT_EQ(word, "calls") << ReadFileText(countPath);
    ASSERT_EQ(verdict, "ok") << ReadFileText(countPath);
    ASSERT_GT(calls, 20u) << "the stand-ins saw too few of the item's calls";

    Worker workers[kChildren];
    for (unsigned first = 1; first <= calls; ++first) {
        for (unsigned run : {1u, kShortRun})
            workers[(first + run) % kChildren].pending.push_back(std::to_wstring(first) + L":" + std::to_wstring(run));
    }
    const std::wstring progressName = L"ArdenoShortageProgress-" + std::to_wstring(GetCurrentProcessId());
    KernelHandle progress(CreateSemaphoreW(nullptr, 0, 1 << 20, progressName.c_str()));
    for (int i = 0; i < kChildren; ++i) {
        workers[i].results = scratch.Path(L"results-" + std::to_wstring(i) + L".txt");
        workers[i].Start(progressName);
    }
    // Every schedule reports within the bound, or its child is ended and started again after it.
    for (;;) {
        std::vector<HANDLE> waits = {progress.get()};
        for (Worker& worker : workers)
            if (worker.process) waits.push_back(worker.process.get());
        if (waits.size() == 1) break;
        PumpUntilAnySignalled(waits.data(), static_cast<DWORD>(waits.size()), kScheduleBoundMs);
        for (Worker& worker : workers) {
            if (!worker.process) continue;
            worker.Read();
            if (WaitForSingleObject(worker.process.get(), 0) == WAIT_OBJECT_0) {
                DWORD code = 0;
                GetExitCodeProcess(worker.process.get(), &code);
                std::ostringstream how;
                how << "crashed (exit code 0x" << std::hex << code << ")";
                worker.Ended(how.str().c_str());
            } else if (GetTickCount() - worker.lastProgress >= kScheduleBoundMs) {
                TerminateProcess(worker.process.get(), 99);
                WaitForSingleObject(worker.process.get(), INFINITE);
                worker.Ended("hung");
            } else {
                continue;
            }
            worker.Start(progressName);
        }
    }
    size_t failed = 0;
    for (const Worker& worker : workers) {
        for (const std::string& failure : worker.failures) ADD_FAILURE() << failure;
        failed += worker.failures.size();
    }
    std::cout << "[          ] " << 2 * calls << " schedules over " << calls << " calls, " << failed << " failed\n";
}

// A part of the paint that fails for want of memory keeps the item dirty until a later paint makes it; one that
// fails for another reason is drawn as its fallback and does not, so the host does not repaint the whole Today
// screen at every refresh for nothing. Each part fails at every call; the item is selected (the brush) and shows
// a notice whose portrait is stretched (the copy).
TEST(PartFailures, OnlyWantOfMemoryKeepsTheItemDirty) {
    ShellReadyEvent ready;
    ScratchFolder files;
    const std::wstring portrait = files.WriteBitmap(L"large.bmp", 60, 60, RGB(0xE0, 0x10, 0x10));
    const char* const parts[] = {"LoadImageW", "CreateFontIndirectW", "CreatePen", "CreateSolidBrush",
                                 "CreateDIBSection", "SHLoadDIBitmap"};
    for (const char* part : parts) {
        for (const DWORD error : {DWORD{ERROR_INVALID_PARAMETER}, DWORD{ERROR_NOT_ENOUGH_MEMORY}}) {
            SCOPED_TRACE(std::string(part) + (error == ERROR_NOT_ENOUGH_MEMORY ? " short of memory" : " refused"));
            MainApplicationWindow main;
            ItemImports::FailEvery(part, error);
            LoadedItem stage;
            main.Show(stage.item, {Notice{L"k", portrait, L"Sender", L"Text", TimeField(9, 0)}});
            stage.Send(WM_TODAYCUSTOM_RECEIVEDSELECTION, VK_DOWN);
            stage.Query();
            stage.Resize(240, static_cast<int>(stage.record.cyp));
            UpdateWindow(stage.item);
            EXPECT_EQ(stage.Query(), error == ERROR_NOT_ENOUGH_MEMORY ? 1 : 0);
            ItemImports::FailEvery(nullptr, 0);
        }
    }
}

// A paint that leaves the window as it was (no surface, no copy to the window) makes the item dirty even when it
// was clean, so the host's next refresh paints once memory is back.
TEST(PartFailures, APaintThatLeavesTheWindowAsItWasMakesTheItemDirty) {
    ShellReadyEvent ready;
    for (const char* part : {"CreateCompatibleBitmap", "CreateCompatibleDC"}) {
        SCOPED_TRACE(part);
        LoadedItem stage;
        stage.Query();
        stage.Resize(240, static_cast<int>(stage.record.cyp));
        UpdateWindow(stage.item);
        ASSERT_EQ(stage.Query(), 0);
        ItemImports::FailEvery(part, ERROR_NOT_ENOUGH_MEMORY);
        InvalidateRect(stage.item, nullptr, FALSE);
        UpdateWindow(stage.item);
        ItemImports::FailEvery(nullptr, 0);
        EXPECT_EQ(stage.Query(), 1);
        InvalidateRect(stage.item, nullptr, FALSE);
        UpdateWindow(stage.item);
        EXPECT_EQ(stage.Query(), 0);
    }
}
