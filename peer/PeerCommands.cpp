#include "PeerCommands.h"
#include "ControlProtocol.h"
#include "PeerApplication.h"
#include <climits>
#include <cstring>

namespace {

const PeerArgument kNoticesFile = {"FILE", "notices file", true, 0, 0, 0, nullptr};
const PeerArgument kMilliseconds = {"MS", "milliseconds", false, 0, 600000, 0, "needs milliseconds from 0 to 600000"};
const PeerArgument kStatusValue = {"VALUE", "value", false, INT_MIN, UINT_MAX, 0, "the value must be a whole number"};
const PeerArgument kNoticeCount = {
    "COUNT", "notice count", false, 1, 1000000, 0, "the notice count must be from 1 to 1000000"};
const PeerArgument kTextLength = {
    "CHARS", "text length", false, 0, 10000, 100, "the text length must be from 0 to 10000 characters"};

}  // namespace

const std::vector<PeerCommandRow>& PeerCommands() {
    using A = PeerApplication;
    const PeerCommandFlow after = PeerCommandFlow::LoggedAfter, first = PeerCommandFlow::LoggedFirst,
                          ends = PeerCommandFlow::Ends;
    // One command a row, its help under it.
    // clang-format off
    static const std::vector<PeerCommandRow> commands = {
        {"send", {kNoticesFile}, 0, kPeerControlBase + 1, &A::OnSendCommand, after,
         "add FILE's notices to the pending ones and push them all (attach, notices, sort)"},
        {"add", {kNoticesFile}, 1, kPeerControlBase + 2, &A::OnAddCommand, after,
         "add FILE's notices and send only them (no attach, no sort)"},
        {"sort", {}, 0, kPeerControlBase + 3, &A::OnSortCommand, after,
         "send sort"},
        {"clear", {}, 0, kPeerControlBase + 4, &A::OnClearCommand, after,
         "drop the pending notices and send clear"},
        {"status", {kStatusValue}, 0, kPeerControlBase + 5, &A::OnStatusCommand, after,
         "send status with VALUE (default 0)"},
        {"detach", {}, 0, kPeerControlBase + 6, &A::OnDetachCommand, after,
         "send detach and forget the item"},
        {"hang", {kMilliseconds}, 1, kPeerControlBase + 7, &A::OnHangCommand, first,
         "stop answering messages for MS milliseconds"},
        {"slow", {kMilliseconds}, 1, kPeerControlBase + 11, &A::OnSlowCommand, after,
         "answer every message of the item MS milliseconds late from now on (0: at once)"},
        {"restart", {kMilliseconds}, 0, kPeerControlBase + 12, &A::OnRestartCommand, first,
         "go as a crash does (the window without a goodbye), and MS milliseconds later\n"
         "(default 0) come back with a new window: publish it and push the pending notices"},
        {"exit", {}, 0, kPeerControlBase + 8, &A::OnExitCommand, ends,
         "detach, zero the published handle and end"},
        {"crash", {}, 0, kPeerControlBase + 9, &A::OnCrashCommand, ends,
         "end at once, leaving the published handle behind"},
        {"flood", {kNoticeCount, kTextLength}, 1, kPeerControlBase + 10, &A::OnFloodCommand, after,
         "send COUNT generated notices with texts of CHARS characters (default 100),\n"
         "one copy-data each and nothing else, none of them written to the transcript"},
    };
    // clang-format on
    return commands;
}

const PeerCommandRow* FindPeerCommand(const std::wstring& word) {
    for (const PeerCommandRow& command : PeerCommands())
        if (word == std::wstring(command.word, command.word + strlen(command.word))) return &command;
    return nullptr;
}

const PeerCommandRow* FindPeerCommand(ULONG_PTR code) {
    for (const PeerCommandRow& command : PeerCommands())
        if (code == command.code) return &command;
    return nullptr;
}

std::string PeerCommandSynopsis(const PeerCommandRow& command) {
    std::string synopsis = command.word;
    for (size_t i = 0; i < command.args.size(); ++i)
        synopsis += i < command.required ? std::string(" ") + command.args[i].placeholder
                                         : std::string(" [") + command.args[i].placeholder + "]";
    return synopsis;
}
