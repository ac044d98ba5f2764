// The stand-in's control commands, one row each: the word, the arguments it takes, its code on the control channel,
// the handler with which the running instance carries it out, and its line of the usage text. The command line's
// parser, the usage text, the control client and the running instance all read this table: adding a command is
// adding a row and its handler.
#pragma once
#include <windows.h>
#include <string>
#include <vector>

class PeerApplication;

// One argument a command takes: a notices file, sent as its notices, or a number, sent as a DWORD.
struct PeerArgument {
    const char* placeholder;  // in the usage text: FILE, MS, COUNT
    const char* noun;         // what "missing ..." names: "notices file", "milliseconds"
    bool isFile;
    long long minimum, maximum;  // a number's range
    DWORD byDefault;             // sent when an optional number is left out
    const char* rule;            // what a number out of the rule is told: "needs milliseconds from 0 to 600000"
};

// Carries a command out in the running instance, reading the arguments from the copy-data; false when it could not.
using PeerControlHandler = bool (PeerApplication::*)(const COPYDATASTRUCT& data);

// Where a command's transcript line goes, and whether the instance lives on after it.
enum class PeerCommandFlow {
    LoggedAfter,  // once the work is done, saying whether it was
    LoggedFirst,  // before the work, saying 1: the work writes lines of its own (restart) or holds the answers (hang)
    Ends,         // logged first, and the instance ends: the command returns once it has gone
};

struct PeerCommandRow {
    const char* word;
    std::vector<PeerArgument> args;  // required ones first
    size_t required;
    ULONG_PTR code;  // the dwData of its WM_COPYDATA
    PeerControlHandler handler;
    PeerCommandFlow flow;
    const char* help;  // what it does, after its synopsis in the usage text; a line break continues it
};

const std::vector<PeerCommandRow>& PeerCommands();
const PeerCommandRow* FindPeerCommand(const std::wstring& word);
// The command a control copy-data carries, or null for any other dwData.
const PeerCommandRow* FindPeerCommand(ULONG_PTR code);
// The word and its arguments as the usage text shows them: "flood COUNT [CHARS]".
std::string PeerCommandSynopsis(const PeerCommandRow& command);
