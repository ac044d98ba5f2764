// The host's script language: one step per line, words separated by blanks, "double quotes" around a word
// with blanks, '#' starts a comment line, %NAME% in a step's words is the environment variable NAME and %%
// a percent sign. Variables are expanded as the script is read, and every step is checked before the first
// one runs.
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

struct ScriptProblem {
    int line = 0;
    std::wstring message;
};

// Parses a whole script. False with the first problem found.
bool ParseScript(const std::wstring& text, std::vector<ScriptStep>& steps, ScriptProblem& problem);
// Parses "step; step; ..." from the command line; each step counts as one line.
bool ParseStepList(const std::wstring& list, std::vector<ScriptStep>& steps, ScriptProblem& problem);

// Virtual-key code of a key name used by the key step (right, left, up, down, enter); 0 when unknown.
unsigned KeyCodeOfName(const std::wstring& name);

// One line of help per step, for --help.
std::wstring ScriptSummary();
