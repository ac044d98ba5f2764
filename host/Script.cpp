#include "Script.h"
#include <windows.h>
#include <cwctype>
#include "ScriptVerbs.h"
#include "toolbox/Utf8.h"
#include "toolbox/WholeFile.h"

namespace {

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
    const ScriptVerb* verb = FindScriptVerb(words[0]);
    if (!verb) {
        problem = {number, L"unknown step '" + words[0] + L"'"};
        return false;
    }
    ScriptStep step;
    step.line = number;
    step.verb = words[0];
    step.definition = verb;
    step.args.assign(words.begin() + 1, words.end());
    const bool takesRest = !verb->args.empty() && verb->args.back() == Arg::Rest;
    if (step.args.size() < verb->required || (!takesRest && step.args.size() > verb->args.size())) {
        problem = {number, L"wrong number of words for " + step.verb + L"; usage: " + verb->usage};
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
    for (size_t i = 0; i < step.args.size() && i < verb->args.size(); ++i) {
        if (verb->args[i] == Arg::Rest) break;
        if (!CheckScriptArg(verb->args[i], step.args[i], why)) {
            problem = {number, step.verb + L": " + why};
            return false;
        }
    }
    steps.push_back(step);
    return true;
}

// Parses each piece of the text between separators as one line, numbered from 1. A carriage return ending a piece
// is dropped: the line ends of a file written with CR LF.
bool ParseLines(const std::wstring& text, wchar_t separator, std::vector<ScriptStep>& steps, ScriptProblem& problem) {
    int number = 0;
    size_t start = 0;
    while (start <= text.size()) {
        size_t end = text.find(separator, start);
        if (end == std::wstring::npos) end = text.size();
        std::wstring line = text.substr(start, end - start);
        if (!line.empty() && line.back() == L'\r') line.pop_back();
        if (!ParseLine(line, ++number, steps, problem)) return false;
        start = end + 1;
    }
    return true;
}

}  // namespace

bool ReadScriptFile(const std::wstring& path, std::wstring& text, std::wstring& error) {
    std::string bytes;
    if (!ReadWholeFile(path, bytes, error)) return false;
    if (bytes.compare(0, 3, "\xEF\xBB\xBF") == 0) bytes.erase(0, 3);
    text = FromUtf8(bytes);
    return true;
}

bool ParseScript(const std::wstring& text, std::vector<ScriptStep>& steps, ScriptProblem& problem) {
    return ParseLines(text, L'\n', steps, problem);
}

bool ParseStepList(const std::wstring& list, std::vector<ScriptStep>& steps, ScriptProblem& problem) {
    return ParseLines(list, L';', steps, problem);
}

std::wstring ScriptSummary() {
    std::wstring text;
    for (const auto& verb : ScriptVerbs()) text += std::wstring(L"  ") + verb.usage + L"\n";
    return text;
}
