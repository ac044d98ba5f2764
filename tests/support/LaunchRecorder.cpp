#include "LaunchRecorder.h"
#include "PeerProcess.h"  // ProgramFolder
#include "ScratchFiles.h"

namespace {

std::wstring Unique(const wchar_t* stem) { return stem + std::to_wstring(GetCurrentProcessId()); }

}  // namespace

std::wstring LaunchRecorder::RecorderPath() { return ProgramFolder() + L"\\launch_recorder.exe"; }

LaunchRecorder::LaunchRecorder(const std::wstring& installPath) : productKey(TEST_PRODUCT_KEY) {
    productKey.SetString(L"InstallPath", installPath.empty() ? RecorderPath() : installPath);

    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    logPath = temp + Unique(L"ardeno-launches-") + L".log";
    DeleteFileW(logPath.c_str());
    const std::wstring signalName = Unique(L"ArdenoLaunchRecorder-");
    signal.Reset(CreateSemaphoreW(nullptr, 0, 100, signalName.c_str()));
    // Children inherit the environment and the job of this process.
    SetEnvironmentVariableW(L"ARDENO_LAUNCH_LOG", logPath.c_str());
    SetEnvironmentVariableW(L"ARDENO_LAUNCH_SIGNAL", signalName.c_str());

    // The platform starts its desktop process when the desktop is first asked for; asked now, that start is not
    // one of the item's.
    GetDesktopWindow();
    job.Reset(CreateJobObjectW(nullptr, nullptr));
    port.Reset(CreateIoCompletionPort(INVALID_HANDLE_VALUE, nullptr, 0, 1));
    JOBOBJECT_ASSOCIATE_COMPLETION_PORT association = {job.get(), port.get()};
    SetInformationJobObject(job.get(), JobObjectAssociateCompletionPortInformation, &association, sizeof(association));
    AssignProcessToJobObject(job.get(), GetCurrentProcess());
}

LaunchRecorder::~LaunchRecorder() {
    ReleaseStarted();
    StartsWhenAllEnded(5000);  // no child outlives the test and writes into the next one's files
    SetEnvironmentVariableW(L"ARDENO_LAUNCH_LOG", nullptr);
    SetEnvironmentVariableW(L"ARDENO_LAUNCH_SIGNAL", nullptr);
    SetEnvironmentVariableW(L"ARDENO_LAUNCH_HOLD", nullptr);
    SetEnvironmentVariableW(L"ARDENO_LAUNCH_SPLASH", nullptr);
    DeleteFileW(logPath.c_str());
}

void LaunchRecorder::HoldStarted() {
    const std::wstring name = Unique(L"ArdenoLaunchHold-");
    hold.Reset(CreateEventW(nullptr, TRUE, FALSE, name.c_str()));
    SetEnvironmentVariableW(L"ARDENO_LAUNCH_HOLD", name.c_str());
}

void LaunchRecorder::HoldStartedShowing(const std::wstring& splashTitle) {
    HoldStarted();
    SetEnvironmentVariableW(L"ARDENO_LAUNCH_SPLASH", splashTitle.c_str());
}

void LaunchRecorder::ReleaseStarted() {
    if (hold) SetEvent(hold.get());
}

int LaunchRecorder::StartedSoFar() const {
    JOBOBJECT_BASIC_ACCOUNTING_INFORMATION accounting = {};
    if (!QueryInformationJobObject(job.get(), JobObjectBasicAccountingInformation, &accounting, sizeof(accounting),
                                   nullptr))
        return -1;
    return static_cast<int>(accounting.TotalProcesses) - 1;  // this process is in the job too
}

bool LaunchRecorder::WaitForStart(DWORD timeoutMs) {
    return WaitForSingleObject(signal.get(), timeoutMs) == WAIT_OBJECT_0;
}

int LaunchRecorder::StartsWhenAllEnded(DWORD timeoutMs) {
    const int started = StartedSoFar();
    const DWORD begin = GetTickCount();
    while (ended < started) {
        DWORD elapsed = GetTickCount() - begin;
        if (elapsed >= timeoutMs) break;
        DWORD kind = 0;
        ULONG_PTR key = 0;
        LPOVERLAPPED detail = nullptr;
        if (!GetQueuedCompletionStatus(port.get(), &kind, &key, &detail, timeoutMs - elapsed)) break;
        if (kind == JOB_OBJECT_MSG_EXIT_PROCESS || kind == JOB_OBJECT_MSG_ABNORMAL_EXIT_PROCESS) ++ended;
    }
    return ended >= started ? started : -1;
}

std::vector<std::wstring> LaunchRecorder::CommandLines() const {
    std::vector<std::wstring> lines;
    const std::string bytes = ReadFileText(logPath);  // UTF-16, a start a line
    const std::wstring text(reinterpret_cast<const wchar_t*>(bytes.data()), bytes.size() / sizeof(wchar_t));
    size_t start = 0;
    for (size_t end; (end = text.find(L'\n', start)) != std::wstring::npos; start = end + 1)
        lines.push_back(text.substr(start, end - start));
    return lines;
}
