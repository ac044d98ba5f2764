#include "CommandLine.h"
#include "PeerNames.h"
#include "../toolbox/Utf8.h"
#include <climits>
#include <cwctype>

namespace {

struct CommandSpelling {
    const wchar_t* word;
    PeerCommandKind kind;
};

const CommandSpelling kCommands[] = {
    {L"run", PeerCommandKind::Run},         {L"send", PeerCommandKind::Send},   {L"add", PeerCommandKind::Add},
    {L"sort", PeerCommandKind::Sort},       {L"clear", PeerCommandKind::Clear}, {L"status", PeerCommandKind::Status},
    {L"detach", PeerCommandKind::Detach},   {L"hang", PeerCommandKind::Hang},   {L"slow", PeerCommandKind::Slow},
    {L"restart", PeerCommandKind::Restart}, {L"exit", PeerCommandKind::Exit},   {L"crash", PeerCommandKind::Crash},
    {L"flood", PeerCommandKind::Flood},     {L"help", PeerCommandKind::Help},   {L"--help", PeerCommandKind::Help},
    {L"-h", PeerCommandKind::Help},
};

// Decimal only, so that a typo never turns into a silent zero.
bool ParseNumber(const std::wstring& text, long long minimum, long long maximum, long long& value) {
    size_t start = !text.empty() && text[0] == L'-' ? 1 : 0;
    if (start == text.size() || text.size() > 12) return false;
    value = 0;
    for (size_t i = start; i < text.size(); ++i) {
        if (!iswdigit(text[i])) return false;
        value = value * 10 + (text[i] - L'0');
    }
    if (start) value = -value;
    return value >= minimum && value <= maximum;
}

std::string Quoted(const std::wstring& text) { return "'" + ToUtf8(text) + "'"; }

bool ParseRunOptions(const std::vector<std::wstring>& args, RunOptions& options, std::string& error) {
    for (size_t i = 1; i < args.size(); ++i) {
        const std::wstring& option = args[i];
        bool takesValue = option == L"--notices" || option == L"--transcript" || option == L"--hang-ping-ms" ||
                          option == L"--activate-answer" || option == L"--language" || option == L"--window-at";
        if (option == L"--title-chinese") {
            options.chinese = true;
            continue;
        }
        if (option == L"--refuse-key") {
            options.refuseKey = true;
            continue;
        }
        if (!takesValue) {
            error = "run: unknown option " + Quoted(option);
            return false;
        }
        if (i + 1 == args.size()) {
            error = "run: option " + Quoted(option) + " needs a value";
            return false;
        }
        const std::wstring& value = args[++i];
        long long number = 0;
        if (option == L"--notices") {
            options.noticesPath = value;
        } else if (option == L"--transcript") {
            options.transcriptPath = value;
        } else if (option == L"--window-at") {
            size_t comma = value.find(L',');
            long long x = 0, y = 0;
            if (comma == std::wstring::npos || !ParseNumber(value.substr(0, comma), -32768, 32767, x) ||
                !ParseNumber(value.substr(comma + 1), -32768, 32767, y)) {
                error = "run: --window-at needs X,Y in pixels, not " + Quoted(value);
                return false;
            }
            options.placed = true;
            options.windowAt = {static_cast<LONG>(x), static_cast<LONG>(y)};
        } else if (option == L"--language") {
            if (value != L"latin" && value != L"chinese") {
                error = "run: --language is latin or chinese, not " + Quoted(value);
                return false;
            }
            options.chinese = value == L"chinese";
        } else if (option == L"--hang-ping-ms") {
            if (!ParseNumber(value, 0, 600000, number)) {
                error = "run: --hang-ping-ms needs milliseconds from 0 to 600000, not " + Quoted(value);
                return false;
            }
            options.hangPingMs = static_cast<DWORD>(number);
        } else {
            if (!ParseNumber(value, INT_MIN, INT_MAX, number)) {
                error = "run: --activate-answer needs a whole number, not " + Quoted(value);
                return false;
            }
            options.activateAnswer = static_cast<LRESULT>(number);
        }
    }
    return true;
}

}  // namespace

bool ParseCommandLine(const std::vector<std::wstring>& args, PeerCommand& command, std::string& error) {
    command = PeerCommand();
    if (args.empty()) return true;
    const CommandSpelling* spelling = nullptr;
    for (const CommandSpelling& candidate : kCommands)
        if (args[0] == candidate.word) spelling = &candidate;
    if (!spelling) {
        error = "unknown command " + Quoted(args[0]);
        return false;
    }
    command.kind = spelling->kind;
    if (command.kind == PeerCommandKind::Run) return ParseRunOptions(args, command.run, error);

    const std::string name = CommandName(command.kind);
    size_t allowed = 0, required = 0;
    switch (command.kind) {
    case PeerCommandKind::Send:
        allowed = 1;
        break;
    case PeerCommandKind::Add:
        allowed = required = 1;
        break;
    case PeerCommandKind::Status:
        allowed = 1;
        break;
    case PeerCommandKind::Hang:
    case PeerCommandKind::Slow:
        allowed = required = 1;
        break;
    case PeerCommandKind::Restart:
        allowed = 1;
        break;
    case PeerCommandKind::Flood:
        allowed = 2, required = 1;
        break;
    default:
        break;
    }
    if (args.size() - 1 < required) {
        const char* missing = command.kind == PeerCommandKind::Flood ? "notice count"
                              : command.kind == PeerCommandKind::Add || command.kind == PeerCommandKind::Send
                                  ? "notices file"
                                  : "milliseconds";
        error = name + ": missing " + missing;
        return false;
    }
    if (args.size() - 1 > allowed) {
        error = name + ": unexpected argument " + Quoted(args[allowed + 1]);
        return false;
    }
    if (args.size() == 1) return true;
    long long number = 0;
    if (command.kind == PeerCommandKind::Send || command.kind == PeerCommandKind::Add) {
        command.file = args[1];
    } else if (command.kind == PeerCommandKind::Status) {
        if (!ParseNumber(args[1], INT_MIN, UINT_MAX, number)) {
            error = "status: the value must be a whole number, not " + Quoted(args[1]);
            return false;
        }
        command.value = static_cast<DWORD>(number);
    } else if (command.kind == PeerCommandKind::Flood) {
        if (!ParseNumber(args[1], 1, 1000000, number)) {
            error = "flood: the notice count must be from 1 to 1000000, not " + Quoted(args[1]);
            return false;
        }
        command.value = static_cast<DWORD>(number);
        if (args.size() > 2) {
            if (!ParseNumber(args[2], 0, 10000, number)) {
                error = "flood: the text length must be from 0 to 10000 characters, not " + Quoted(args[2]);
                return false;
            }
            command.textLength = static_cast<DWORD>(number);
        }
    } else {
        if (!ParseNumber(args[1], 0, 600000, number)) {
            error = name + ": needs milliseconds from 0 to 600000, not " + Quoted(args[1]);
            return false;
        }
        command.value = static_cast<DWORD>(number);
    }
    return true;
}

void ApplyEnvironment(RunOptions& options) {
    wchar_t buffer[MAX_PATH * 2];
    DWORD length = 0;
    if (options.noticesPath.empty() &&
        (length = GetEnvironmentVariableW(PEER_NOTICES_ENV, buffer, ARRAYSIZE(buffer))) > 0 &&
        length < ARRAYSIZE(buffer))
        options.noticesPath = buffer;
    if (options.transcriptPath.empty() &&
        (length = GetEnvironmentVariableW(PEER_TRANSCRIPT_ENV, buffer, ARRAYSIZE(buffer))) > 0 &&
        length < ARRAYSIZE(buffer))
        options.transcriptPath = buffer;
}

const char* CommandName(PeerCommandKind kind) {
    switch (kind) {
    case PeerCommandKind::Run:
        return "run";
    case PeerCommandKind::Send:
        return "send";
    case PeerCommandKind::Add:
        return "add";
    case PeerCommandKind::Sort:
        return "sort";
    case PeerCommandKind::Clear:
        return "clear";
    case PeerCommandKind::Status:
        return "status";
    case PeerCommandKind::Detach:
        return "detach";
    case PeerCommandKind::Hang:
        return "hang";
    case PeerCommandKind::Slow:
        return "slow";
    case PeerCommandKind::Restart:
        return "restart";
    case PeerCommandKind::Exit:
        return "exit";
    case PeerCommandKind::Crash:
        return "crash";
    case PeerCommandKind::Flood:
        return "flood";
    case PeerCommandKind::Help:
        return "help";
    }
    return "?";
}

const char* UsageText() {
    return "usage: ArdenoPeer.exe [run [--notices FILE] [--transcript FILE] [--language latin|chinese]\n"
           "                          [--title-chinese] [--window-at X,Y] [--hang-ping-ms N] [--refuse-key]\n"
           "                          [--activate-answer N]]\n"
           "       ArdenoPeer.exe send [FILE] | add FILE | sort | clear | status [VALUE] | detach\n"
           "                    | hang MS | slow MS | restart [MS] | exit | crash | flood COUNT [CHARS] | help\n"
           "With no command, or with run, starts the main instance; ARDENO_PEER_NOTICES and\n"
           "ARDENO_PEER_TRANSCRIPT give the files that the options leave open. --language chinese (or\n"
           "--title-chinese) titles the window and words the notification in Chinese.\n"
           "A key the item hands back opens that notice: it is marked read, leaves the pending ones, and the\n"
           "rest are pushed again.\n"
           "The other commands drive the running instance and return once it has done the work:\n"
           "  send [FILE]     add FILE's notices to the pending ones and push them all (attach, notices, sort)\n"
           "  add FILE        add FILE's notices and send only them (no attach, no sort)\n"
           "  sort            send sort\n"
           "  clear           drop the pending notices and send clear\n"
           "  status [VALUE]  send status with VALUE (default 0)\n"
           "  detach          send detach and forget the item\n"
           "  hang MS         stop answering messages for MS milliseconds\n"
           "  slow MS         answer every message of the item MS milliseconds late from now on (0: at once)\n"
           "  restart [MS]    go as a crash does (the window without a goodbye), and MS milliseconds later\n"
           "                  (default 0) come back with a new window: publish it and push the pending notices\n"
           "  exit            detach, zero the published handle and end\n"
           "  crash           end at once, leaving the published handle behind\n"
           "  flood COUNT [CHARS]  send COUNT generated notices with texts of CHARS characters (default 100),\n"
           "                  one copy-data each and nothing else, none of them written to the transcript\n";
}
