// The host's script language: one step per line, words separated by blanks, "double quotes" around a word
// with blanks, '#' starts a comment line, %NAME% in a step's words is the environment variable NAME and %%
// a percent sign. Variables are expanded as the script is read, and every step is checked before the first
// one runs.
#pragma once
#include <string>
#include <vector>
#include "ScriptStep.h"

struct ScriptProblem {
    int line = 0;
    std::wstring message;
};

// Reads a script file as UTF-8 (a byte-order mark is dropped). False with an error that names the file.
bool ReadScriptFile(const std::wstring& path, std::wstring& text, std::wstring& error);
// Parses a whole script. False with the first problem found.
bool ParseScript(const std::wstring& text, std::vector<ScriptStep>& steps, ScriptProblem& problem);
// Parses "step; step; ..." from the command line; each step counts as one line.
bool ParseStepList(const std::wstring& list, std::vector<ScriptStep>& steps, ScriptProblem& problem);

// One line of help per step, for --help.
std::wstring ScriptSummary();
