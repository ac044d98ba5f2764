// The item on a device short of memory, run by memory_shortage_tests in a child process so that a crash or a hang
// ends only this program. Each schedule loads the item as the host does, with the item's calls that take memory or
// make GDI and USER objects failing from call FIRST on, COUNT of them; pushes three notices, paints, pages, acts;
// then memory returns, and the item must work as before: every notice it answered 1 is there and handed back in
// order, nothing it refused is, the paint is the one an unhindered item makes, and its unload leaves nothing.
//   shortage_child.exe count                     one schedule with no failure: prints "calls N"
//   shortage_child.exe RESULTS FIRST:COUNT ...   one line per schedule appended to RESULTS ("ok" or what failed);
//                                                the semaphore named by ARDENO_SHORTAGE_PROGRESS is released after
//                                                each
#include "kit/LinkWire.h"
#include "support/ItemImports.h"
#include "support/ItemHarness.h"
#include "support/MainApplication.h"
#include "support/ResourceCounts.h"
#include "support/ScratchFiles.h"
#include "toolbox/Utf8.h"
#include <algorithm>
#include <cstdio>
#include <map>
#include <sstream>

namespace {

const wchar_t* const kKeys[] = {L"k0", L"k1", L"k2"};
const COLORREF kPortraitColors[] = {RGB(0xE0, 0x10, 0x10), RGB(0x10, 0xC0, 0x10), RGB(0x10, 0x10, 0xE0)};
const int kItemWidth = 240;
// The middle of the portrait cell on an item 240 pixels wide of three 20-pixel lines with both arrow columns: the
// cell starts 2 pixels right of the 12-pixel column, is 40 pixels wide, and spans the two lines below the first.
const POINT kPortraitMiddle = {12 + 2 + 20, 19 + 20};

struct Run {
    bool shown = false;                  // the item made its window
    bool answered[3] = {};               // which notices it answered 1
    std::wstring keyAtAction;            // handed back while memory was short ("": none)
    COLORREF portraitAtAction = 0;       // what the screen showed in the portrait cell then
    std::vector<std::wstring> keysAfter; // handed back, notice by notice, once memory returned
    std::vector<Capture> paintedAfter;   // the item once memory returned, on each of its notices
    unsigned calls = 0;                  // the item's calls counted while memory could be short
    std::string callNames;
    std::string leftBehind;              // after its unload ("": nothing)
    std::vector<std::string> broken;     // the handheld's rules its calls broke
};

// The host's refresh: the query, the item sized to its height, and what is to be painted painted.
void Refresh(LoadedItem& stage) {
    stage.Query();
    stage.Resize(kItemWidth, stage.record.cyp > 0 ? static_cast<int>(stage.record.cyp) : 20);
    UpdateWindow(stage.item);
}

// One schedule. `pushed` says which notices are pushed (the references push only those an item kept).
Run RunSchedule(const std::vector<std::wstring>& portraits, unsigned first, unsigned count, const bool (&pushed)[3]) {
    Run run;
    const ResourceCounts before = CountResources();
    {
        MainApplicationWindow main;
        ItemImports::ResetCount();
        ItemImports::FailCalls(first, count);
        LoadedItem stage(false);
        if (stage.dll.initialize) stage.item = stage.dll.initialize(&stage.record, stage.host.hwnd());
        run.shown = stage.item != nullptr;
        if (run.shown) {
            main.Attach(stage.item);
            for (int i = 0; i < 3; ++i) {
                if (!pushed[i]) continue;
                Notice notice{kKeys[i], portraits[static_cast<size_t>(i)], L"Sender", L"Text", TimeField(9, i)};
                run.answered[i] = SendNotice(stage.item, notice, main.hwnd()) == 1;
            }
            SendMessageW(stage.item, LINKM_SORT, 0, 0);
            Refresh(stage);
            SendMessageW(stage.item, WM_TODAYCUSTOM_USERNAVIGATION, VK_RIGHT, 0);
            UpdateWindow(stage.item);
            // Nothing is left to paint after UpdateWindow (a paint that could not draw still validates), so the
            // capture reads what the screen shows.
            const Capture atAction = CaptureWindow(stage.item);
            run.portraitAtAction = atAction.At(kPortraitMiddle.x, kPortraitMiddle.y);
            main.Clear();
            SendMessageW(stage.item, WM_TODAYCUSTOM_ACTION, VK_RETURN, 0);
            if (!main.KeysReceived().empty()) run.keyAtAction = main.KeysReceived().back();
        }
        run.calls = ItemImports::CallsSoFar();
        run.callNames = ItemImports::CountedCalls();
        ItemImports::FailCalls(0, 0);  // memory returns
        if (run.shown) {
            Refresh(stage);
            for (int i = 0; i < 3; ++i) SendMessageW(stage.item, WM_TODAYCUSTOM_USERNAVIGATION, VK_LEFT, 0);
            for (int i = 0; i < 4; ++i) {
                InvalidateRect(stage.item, nullptr, FALSE);
                UpdateWindow(stage.item);
                run.paintedAfter.push_back(CaptureWindow(stage.item));
                main.Clear();
                SendMessageW(stage.item, WM_TODAYCUSTOM_ACTION, VK_RETURN, 0);
                const std::vector<std::wstring> keys = main.KeysReceived();
                if (!keys.empty() && (run.keysAfter.empty() || keys.back() != run.keysAfter.back()))
                    run.keysAfter.push_back(keys.back());
                SendMessageW(stage.item, WM_TODAYCUSTOM_USERNAVIGATION, VK_RIGHT, 0);
            }
        }
        stage.dll.Unload();
        run.broken = ItemImports::TakeViolations();
        DrainMessages();  // a timer left behind would fire into the unloaded module here
    }
    const ResourceCounts after = CountResources();
    std::ostringstream left;
    if (ItemImports::LiveItemBlocks()) left << ItemImports::LiveItemBlocks() << " blocks of its heap; ";
    ResourceCounts expected = after;
    expected.privateBytes = before.privateBytes;  // the heap grows and shrinks at its own pace
    if (!SameResources(before, expected, 0)) left << DescribeChange(before, after);
    run.leftBehind = left.str();
    return run;
}

// What failed in the run, "" when everything held. The reference is the same pushes with no shortage.
std::string Judge(const Run& run, const Run& reference) {
    std::ostringstream failed;
    if (!run.leftBehind.empty()) failed << "left behind after unload: " << run.leftBehind << ". ";
    for (const std::string& broken : run.broken) failed << "broke a handheld rule: " << broken << ". ";
    if (!run.shown) return failed.str();  // the host goes on without the item
    std::vector<std::wstring> kept;
    for (int i = 0; i < 3; ++i)
        if (run.answered[i]) kept.push_back(kKeys[i]);
    if (run.keysAfter != kept) failed << "once memory returned it held " << run.keysAfter.size() << " of the " << kept.size() << " notices it answered 1. ";
    // The key handed back is that of the notice on screen, known by its portrait when that was drawn.
    for (int i = 0; i < 3; ++i) {
        if (run.portraitAtAction == kPortraitColors[i] && run.keyAtAction != kKeys[i])
            failed << "handed back \"" << ToUtf8(run.keyAtAction) << "\" with k" << i << " on screen. ";
    }
    if (!run.keyAtAction.empty() && std::find(kept.begin(), kept.end(), run.keyAtAction) == kept.end())
        failed << "handed back \"" << ToUtf8(run.keyAtAction) << "\", which it did not keep. ";
    for (size_t i = 0; i < run.paintedAfter.size() && i < reference.paintedAfter.size(); ++i) {
        if (run.paintedAfter[i].pixels != reference.paintedAfter[i].pixels)
            failed << "once memory returned it painted its notice " << i << " otherwise than an item never short of memory. ";
    }
    return failed.str();
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc < 2) {
        fprintf(stderr, "usage: shortage_child.exe count | RESULTS FIRST:COUNT ...\n");
        return 2;
    }
    const char* problem = nullptr;
    if (!ItemImports::Install(L"ArdenoToday.dll", &problem)) {
        fprintf(stderr, "shortage_child: cannot stand in for %s\n", problem);
        return 3;
    }
    ShellReadyEvent ready;
    ScratchFolder files;
    std::vector<std::wstring> portraits;
    // The second portrait is larger than its cell: the item shows a copy stretched to fit.
    for (int i = 0; i < 3; ++i) {
        const int side = i == 1 ? 60 : 30;
        portraits.push_back(files.WriteBitmap(L"p" + std::to_wstring(i) + L".bmp", side, side, kPortraitColors[i]));
    }
    const bool all[3] = {true, true, true};
    RunSchedule(portraits, 0, 0, all);  // the test support registers its window classes once, here
    if (std::wstring(argv[1]) == L"count") {
        const Run run = RunSchedule(portraits, 0, 0, all);
        const std::string verdict = Judge(run, RunSchedule(portraits, 0, 0, all));
        printf("calls %u\n%s\n%s\n", run.calls, verdict.empty() ? "ok" : verdict.c_str(), run.callNames.c_str());
        return verdict.empty() ? 0 : 1;
    }
    std::map<int, Run> references;  // by the notices kept
    FILE* results = _wfopen(argv[1], L"a");
    wchar_t progressName[128] = {};
    GetEnvironmentVariableW(L"ARDENO_SHORTAGE_PROGRESS", progressName, 128);
    KernelHandle progress(OpenSemaphoreW(SEMAPHORE_MODIFY_STATE, FALSE, progressName));
    for (int i = 2; i < argc; ++i) {
        unsigned first = 0, count = 0;
        swscanf(argv[i], L"%u:%u", &first, &count);
        const Run run = RunSchedule(portraits, first, count, all);
        const int keptMask = run.answered[0] | run.answered[1] << 1 | run.answered[2] << 2;
        if (!references.count(keptMask)) {
            const bool kept[3] = {run.answered[0], run.answered[1], run.answered[2]};
            references[keptMask] = RunSchedule(portraits, 0, 0, kept);
        }
        const std::string verdict = Judge(run, references[keptMask]);
        fprintf(results, "%u:%u %s\n", first, count, verdict.empty() ? "ok" : verdict.c_str());
        fflush(results);
        if (progress) ReleaseSemaphore(progress.get(), 1, nullptr);
    }
    fclose(results);
    return 0;
}
