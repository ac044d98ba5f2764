#include "CommandLine.h"
#include "PeerNames.h"
#include "../toolbox/Decimal.h"
#include "../toolbox/Utf8.h"
#include <climits>

namespace {

// Decimal only, so that a typo never turns into a silent zero; twelve characters at most, as ever.
bool ParseNumber(const std::wstring& text, long long minimum, long long maximum, long long& value) {
    return text.size() <= 12 && ParseDecimal(text, minimum, maximum, value);
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
    const std::wstring& word = args[0];
    if (word == L"run") return ParseRunOptions(args, command.run, error);
    if (word == L"help" || word == L"--help" || word == L"-h") {
        command.kind = PeerCommandKind::Help;
        return true;
    }
    const PeerCommandRow* control = FindPeerCommand(word);
    if (!control) {
        error = "unknown command " + Quoted(word);
        return false;
    }
    command.kind = PeerCommandKind::Control;
    command.control = control;
    const std::string name = control->word;
    const size_t given = args.size() - 1;
    if (given < control->required) {
        error = name + ": missing " + control->args[given].noun;
        return false;
    }
    if (given > control->args.size()) {
        error = name + ": unexpected argument " + Quoted(args[control->args.size() + 1]);
        return false;
    }
    for (size_t i = 0; i < control->args.size(); ++i) {
        const PeerArgument& argument = control->args[i];
        if (argument.isFile) {
            if (i < given) command.file = args[i + 1];
            continue;
        }
        long long number = argument.byDefault;
        if (i < given && !ParseNumber(args[i + 1], argument.minimum, argument.maximum, number)) {
            error = name + ": " + argument.rule + ", not " + Quoted(args[i + 1]);
            return false;
        }
        command.values.push_back(static_cast<DWORD>(number));
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

std::string UsageText() {
    // The control commands' synopses, a line broken before it grows past 100 columns, and their list.
    const std::string indent(20, ' ');
    std::string synopses = "       ArdenoPeer.exe ", list;
    size_t column = synopses.size();
    for (const PeerCommandRow& command : PeerCommands()) {
        const std::string synopsis = PeerCommandSynopsis(command);
        if (&command != &PeerCommands().front()) {
            const bool wrap = column + 3 + synopsis.size() > 100;
            synopses += wrap ? "\n" + indent + "| " : " | ";
            column = wrap ? indent.size() + 2 : column + 3;
        }
        synopses += synopsis;
        column += synopsis.size();
        // "  synopsis        help", the help's further lines under its first.
        std::string entry = "  " + synopsis;
        entry += entry.size() < 18 ? std::string(18 - entry.size(), ' ') : std::string("  ");
        for (const char* c = command.help; *c; ++c)
            entry += *c == '\n' ? "\n" + std::string(18, ' ') : std::string(1, *c);
        list += entry + "\n";
    }
    return "usage: ArdenoPeer.exe [run [--notices FILE] [--transcript FILE] [--language latin|chinese]\n"
           "                          [--title-chinese] [--window-at X,Y] [--hang-ping-ms N] [--refuse-key]\n"
           "                          [--activate-answer N]]\n" +
           synopses + " | help\n" +
           "With no command, or with run, starts the main instance; ARDENO_PEER_NOTICES and\n"
           "ARDENO_PEER_TRANSCRIPT give the files that the options leave open. --language chinese (or\n"
           "--title-chinese) titles the window and words the notification in Chinese.\n"
           "A key the item hands back opens that notice: it is marked read, leaves the pending ones, and the\n"
           "rest are pushed again.\n"
           "The other commands drive the running instance and return once it has done the work:\n" +
           list;
}
