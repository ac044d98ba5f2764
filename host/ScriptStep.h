// One step of a host script, as read: its line, its verb and the verb's row, its words.
#pragma once
#include <string>
#include <vector>

struct ScriptVerb;

struct ScriptStep {
    int line = 0;  // 1-based line in the script (or position in a --steps list)
    std::wstring verb;
    const ScriptVerb* definition = nullptr;  // its row in the table of verbs
    std::vector<std::wstring> args;
};
