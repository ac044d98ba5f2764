#include "NoticesFile.h"
#include "NoticeTime.h"
#include "Hex.h"
#include "../toolbox/Utf8.h"
#include "../toolbox/WholeFile.h"
#include <nlohmann/json.hpp>

using nlohmann::json;

namespace {

const char* const kTextFields[] = {"key", "portrait", "sender", "text"};

std::string Where(size_t index) { return "notice " + std::to_string(index + 1) + ": "; }

bool TextField(const json& notice, const char* name, size_t index, std::wstring& value, std::string& error) {
    value.clear();
    auto found = notice.find(name);
    if (found == notice.end()) return true;
    if (!found->is_string()) {
        error = Where(index) + "\"" + name + "\" must be a string";
        return false;
    }
    if (!FromUtf8Strict(found->get<std::string>(), value)) {
        error = Where(index) + "\"" + name + "\" is not valid UTF-8";
        return false;
    }
    return true;
}

// The moment of a decimal count, when the kit can send it.
bool CountTime(const std::string& digits, SYSTEMTIME& value) {
    try {
        return SystemTimeFromCount(std::stoull(digits), value);
    } catch (const std::out_of_range&) {
        return false;
    }
}

bool TimeField(const json& notice, size_t index, SYSTEMTIME& value, std::string& error) {
    auto found = notice.find("time");
    if (found == notice.end()) return true;
    bool sendable = false;
    if (found->is_number_unsigned()) {
        sendable = SystemTimeFromCount(found->get<unsigned long long>(), value);
    } else if (found->is_string()) {
        const std::string text = found->get<std::string>();
        sendable = IsDecimalCount(text) ? CountTime(text, value) : SystemTimeFromDate(text, value);
    } else if (!found->is_number_integer()) {  // a negative integer is a count the kit cannot send
        error = Where(index) + "\"time\" must be a string or an integer";
        return false;
    }
    if (!sendable)
        error = Where(index) + "\"time\" must be \"YYYY-MM-DD HH:MM\" or a decimal FILETIME count of whole " +
                "milliseconds (any other time only in a \"raw\" notice), not " + found->dump();
    return sendable;
}

bool RawPayload(const json& notice, size_t index, Notice& payload, std::string& error) {
    if (notice.size() != 1) {
        error = Where(index) + "\"raw\" and \"rawHex\" stand alone in a notice";
        return false;
    }
    auto raw = notice.find("raw");
    const char* name = raw != notice.end() ? "raw" : "rawHex";
    const json& value = raw != notice.end() ? *raw : notice.at("rawHex");
    if (!value.is_string()) {
        error = Where(index) + "\"" + name + "\" must be a string";
        return false;
    }
    if (raw != notice.end()) {
        std::wstring text;
        if (!FromUtf8Strict(value.get<std::string>(), text)) {
            error = Where(index) + "\"raw\" is not valid UTF-8";
            return false;
        }
        const BYTE* bytes = reinterpret_cast<const BYTE*>(text.data());
        payload = RawNotice(std::vector<BYTE>(bytes, bytes + text.size() * sizeof(wchar_t)));
        return true;
    }
    std::vector<BYTE> bytes;
    if (!HexToBytes(value.get<std::string>(), bytes)) {
        error = Where(index) + "\"rawHex\" must be pairs of hex digits";
        return false;
    }
    payload = RawNotice(std::move(bytes));
    return true;
}

bool ParseNotice(const json& notice, size_t index, Notice& payload, std::string& error) {
    if (!notice.is_object()) {
        error = Where(index) + "must be an object";
        return false;
    }
    for (auto member = notice.begin(); member != notice.end(); ++member) {
        const std::string& name = member.key();
        bool known = name == "time" || name == "raw" || name == "rawHex";
        for (const char* field : kTextFields) known = known || name == field;
        if (!known) {
            error = Where(index) + "unknown field \"" + name + "\"";
            return false;
        }
    }
    if (notice.contains("raw") || notice.contains("rawHex")) return RawPayload(notice, index, payload, error);
    payload = Notice();
    std::wstring* fields[] = {&payload.key, &payload.portrait, &payload.sender, &payload.text};
    for (int i = 0; i < 4; ++i)
        if (!TextField(notice, kTextFields[i], index, *fields[i], error)) return false;
    return TimeField(notice, index, payload.time, error);
}

}  // namespace

bool ParseNotices(const std::string& text, std::vector<Notice>& notices, std::string& error) {
    notices.clear();
    json document;
    try {
        document = json::parse(text);
    } catch (const json::parse_error& problem) {
        // The library's text carries its own prefix; keep only what a person needs.
        std::string what = problem.what();
        size_t start = what.find("] ");
        error = "invalid JSON: " + (start == std::string::npos ? what : what.substr(start + 2));
        return false;
    }
    if (!document.is_object() || !document.contains("notices") || !document["notices"].is_array()) {
        error = "expected an object with a \"notices\" array";
        return false;
    }
    for (auto member = document.begin(); member != document.end(); ++member) {
        if (member.key() != "notices") {
            error = "unknown top-level field \"" + member.key() + "\"";
            return false;
        }
    }
    const json& list = document["notices"];
    for (size_t i = 0; i < list.size(); ++i) {
        Notice payload;
        if (!ParseNotice(list[i], i, payload, error)) return false;
        notices.push_back(std::move(payload));
    }
    return true;
}

bool LoadNoticesFile(const std::wstring& path, std::vector<Notice>& notices, std::string& error) {
    std::string content, problem;
    std::wstring unread;
    if (!ReadWholeFile(path, content, unread)) {
        error = "notices file: " + ToUtf8(unread);
        return false;
    }
    if (ParseNotices(content, notices, problem)) return true;
    error = "notices file '" + ToUtf8(path) + "': " + problem;
    return false;
}
