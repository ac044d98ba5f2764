#include "Script.h"
#include <windows.h>
#include <cwctype>
#include "TextUtil.h"

namespace {

enum class Arg { Any, Int, NonNegative, Positive, Key, Close, Rest };

struct Grammar {
    const wchar_t* verb;
    std::vector<Arg> args;  // required then optional; Rest takes all remaining words
    size_t required;
    const wchar_t* usage;
};

const std::vector<Grammar>& Grammars() {
    static const std::vector<Grammar> grammars = {
        {L"refresh", {}, 0, L"refresh                      ask every item whether it changed; re-lay out if one did"},
        {L"reload", {}, 0, L"reload                       unload and load the registered items again"},
        {L"key", {Arg::Key}, 1, L"key right|left|up|down|enter press a key"},
        {L"tap",
         {Arg::NonNegative, Arg::NonNegative},
         2,
         L"tap X Y                      stylus down and up at a host client point"},
        {L"tap-item",
         {Arg::Any, Arg::Int, Arg::Int},
         3,
         L"tap-item ITEM X Y            tap inside an item; negative X, Y count from its right, bottom"},
        {L"options",
         {Arg::Close, Arg::Any},
         0,
         L"options [ok|cancel] [ITEM]   run an item's options dialog and close it (ok)"},
        {L"wait-event", {Arg::Any}, 1, L"wait-event NAME              wait until a named event is set"},
        {L"wait-window", {Arg::Any, Arg::Any}, 1, L"wait-window CLASS [TITLE]    wait until a top-level window exists"},
        {L"timeout",
         {Arg::Positive},
         1,
         L"timeout MS                   bound of the waits and runs that follow (10000)"},
        {L"pump", {Arg::NonNegative}, 1, L"pump MS                      handle messages and timers for a time"},
        {L"screenshot", {Arg::Any}, 1, L"screenshot FILE.png          write the screen as PNG"},
        {L"run", {Arg::Any, Arg::Rest}, 1, L"run PROGRAM [ARGS]           start a program, wait until it exits with 0"},
        {L"start", {Arg::Any, Arg::Rest}, 1, L"start PROGRAM [ARGS]         start a program and go on"},
        {L"set-ready", {}, 0, L"set-ready                    set the shell-ready event"},
        {L"expect-height",
         {Arg::Any, Arg::NonNegative},
         2,
         L"expect-height ITEM PX        fail unless the item is shown this high"},
        {L"expect-selected", {Arg::Any}, 1, L"expect-selected ITEM|none    fail unless the selection is there"},
        {L"expect-notifications",
         {Arg::NonNegative},
         1,
         L"expect-notifications N       fail unless N notifications are posted"},
        {L"exit", {Arg::Int}, 0, L"exit [CODE]                  close the host (the script's end does too)"},
    };
    return grammars;
}

const Grammar* FindGrammar(const std::wstring& verb) {
    for (const auto& grammar : Grammars())
        if (verb == grammar.verb) return &grammar;
    return nullptr;
}

bool CheckArg(Arg kind, const std::wstring& word, std::wstring& why) {
    int value = 0;
    switch (kind) {
    case Arg::Int:
        if (ParseInt(word, value)) return true;
        why = L"'" + word + L"' is not a number";
        return false;
    case Arg::NonNegative:
    case Arg::Positive:
        if (!ParseInt(word, value)) {
            why = L"'" + word + L"' is not a number";
            return false;
        }
        if (value < (kind == Arg::Positive ? 1 : 0)) {
            why = L"'" + word + (kind == Arg::Positive ? L"' must be above 0" : L"' must not be negative");
            return false;
        }
        return true;
    case Arg::Key:
        if (KeyCodeOfName(word)) return true;
        why = L"unknown key '" + word + L"' (right, left, up, down or enter)";
        return false;
    case Arg::Close:
        if (word == L"ok" || word == L"cancel") return true;
        why = L"'" + word + L"' must be ok or cancel";
        return false;
    default:
        return true;
    }
}

bool Tokenize(const std::wstring& line, std::vector<std::wstring>& words, std::wstring& why) {
    size_t i = 0;
    while (i < line.size()) {
        while (i < line.size() && iswspace(line[i])) ++i;
        if (i >= line.size()) break;
        std::wstring word;
        if (line[i] == L'"') {
            size_t close = line.find(L'"', i + 1);
            if (close == std::wstring::npos) {
                why = L"a quote is not closed";
                return false;
            }
            word = line.substr(i + 1, close - i - 1);
            i = close + 1;
            if (i < line.size() && !iswspace(line[i])) {
                why = L"a quoted word must end at a blank";
                return false;
            }
        } else {
            while (i < line.size() && !iswspace(line[i])) word += line[i++];
        }
        words.push_back(word);
    }
    return true;
}

// The environment variable's value; false when it is not set (set but empty is a value).
bool LookUpVariable(const std::wstring& name, std::wstring& value) {
    SetLastError(ERROR_SUCCESS);
    DWORD size = GetEnvironmentVariableW(name.c_str(), nullptr, 0);
    if (size == 0) {
        value.clear();
        return GetLastError() != ERROR_ENVVAR_NOT_FOUND;
    }
    std::vector<wchar_t> buffer(size);
    DWORD length = GetEnvironmentVariableW(name.c_str(), buffer.data(), size);
    value.assign(buffer.data(), length < size ? length : 0);
    return true;
}

// Replaces each %NAME% in one word with the environment variable's value, and %% with one percent sign.
// Values are taken as they are: their blanks, quotes and percent signs neither split the word nor expand.
bool ExpandVariables(const std::wstring& word, std::wstring& expanded, std::wstring& why) {
    expanded.clear();
    for (size_t i = 0; i < word.size();) {
        if (word[i] != L'%') {
            expanded += word[i++];
            continue;
        }
        size_t close = word.find(L'%', i + 1);
        if (close == std::wstring::npos) {
            why = L"'" + word + L"' has a % without a closing one (%% is a percent sign)";
            return false;
        }
        const std::wstring name = word.substr(i + 1, close - i - 1);
        std::wstring value;
        if (name.empty()) {
            expanded += L'%';
        } else if (LookUpVariable(name, value)) {
            expanded += value;
        } else {
            why = L"%" + name + L"% is not set in the environment";
            return false;
        }
        i = close + 1;
    }
    return true;
}

// Parses one line; a blank or comment line yields no step.
bool ParseLine(const std::wstring& line, int number, std::vector<ScriptStep>& steps, ScriptProblem& problem) {
    std::vector<std::wstring> words;
    std::wstring why;
    // A comment is prose: its quotes and percent signs mean nothing.
    const size_t first = line.find_first_not_of(L" \t");
    if (first != std::wstring::npos && line[first] == L'#') return true;
    if (!Tokenize(line, words, why)) {
        problem = {number, why};
        return false;
    }
    if (words.empty() || words[0][0] == L'#') return true;
    const Grammar* grammar = FindGrammar(words[0]);
    if (!grammar) {
        problem = {number, L"unknown step '" + words[0] + L"'"};
        return false;
    }
    ScriptStep step;
    step.line = number;
    step.verb = words[0];
    step.args.assign(words.begin() + 1, words.end());
    const bool takesRest = !grammar->args.empty() && grammar->args.back() == Arg::Rest;
    if (step.args.size() < grammar->required || (!takesRest && step.args.size() > grammar->args.size())) {
        problem = {number, L"wrong number of words for " + step.verb + L"; usage: " + grammar->usage};
        return false;
    }
    for (std::wstring& arg : step.args) {
        std::wstring expanded;
        if (!ExpandVariables(arg, expanded, why)) {
            problem = {number, step.verb + L": " + why};
            return false;
        }
        arg = expanded;
    }
    for (size_t i = 0; i < step.args.size() && i < grammar->args.size(); ++i) {
        if (grammar->args[i] == Arg::Rest) break;
        if (!CheckArg(grammar->args[i], step.args[i], why)) {
            problem = {number, step.verb + L": " + why};
            return false;
        }
    }
    steps.push_back(step);
    return true;
}

}  // namespace

bool ParseScript(const std::wstring& text, std::vector<ScriptStep>& steps, ScriptProblem& problem) {
    int number = 0;
    size_t start = 0;
    while (start <= text.size()) {
        size_t end = text.find(L'\n', start);
        if (end == std::wstring::npos) end = text.size();
        std::wstring line = text.substr(start, end - start);
        if (!line.empty() && line.back() == L'\r') line.pop_back();
        if (!ParseLine(line, ++number, steps, problem)) return false;
        start = end + 1;
    }
    return true;
}

bool ParseStepList(const std::wstring& list, std::vector<ScriptStep>& steps, ScriptProblem& problem) {
    int number = 0;
    size_t start = 0;
    while (start <= list.size()) {
        size_t end = list.find(L';', start);
        if (end == std::wstring::npos) end = list.size();
        if (!ParseLine(list.substr(start, end - start), ++number, steps, problem)) return false;
        start = end + 1;
    }
    return true;
}

unsigned KeyCodeOfName(const std::wstring& name) {
    if (name == L"right") return VK_RIGHT;
    if (name == L"left") return VK_LEFT;
    if (name == L"up") return VK_UP;
    if (name == L"down") return VK_DOWN;
    if (name == L"enter") return VK_RETURN;
    return 0;
}

std::wstring ScriptSummary() {
    std::wstring text;
    for (const auto& grammar : Grammars()) text += std::wstring(L"  ") + grammar.usage + L"\n";
    return text;
}
