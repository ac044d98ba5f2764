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

bool TimeField(const json& notice, size_t index, std::wstring& value, std::string& error) {
    value = L"0";
    auto found = notice.find("time");
    if (found == notice.end()) return true;
    std::string decimal;
    if (found->is_number_unsigned()) {
        decimal = std::to_string(found->get<unsigned long long>());
    } else if (found->is_number_integer()) {
        decimal = std::to_string(found->get<long long>());
    } else if (found->is_string()) {
        const std::string text = found->get<std::string>();
        if (IsDecimalCount(text)) decimal = text;
        else if (!FileTimeTextFromDate(text, decimal)) {
            error = Where(index) + "\"time\" must be \"YYYY-MM-DD HH:MM\" or a decimal FILETIME count, not \"" + text +
                    "\"";
            return false;
        }
    } else {
        error = Where(index) + "\"time\" must be a string or an integer";
        return false;
    }
    value = FromUtf8(decimal);
    return true;
}

bool RawNotice(const json& notice, size_t index, NoticePayload& payload, std::string& error) {
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
        payload = PayloadFromText(text);
        return true;
    }
    if (!HexToBytes(value.get<std::string>(), payload)) {
        error = Where(index) + "\"rawHex\" must be pairs of hex digits";
        return false;
    }
    return true;
}

bool ParseNotice(const json& notice, size_t index, NoticePayload& payload, std::string& error) {
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
    if (notice.contains("raw") || notice.contains("rawHex")) return RawNotice(notice, index, payload, error);
    std::wstring fields[4], time;
    for (int i = 0; i < 4; ++i)
        if (!TextField(notice, kTextFields[i], index, fields[i], error)) return false;
    if (!TimeField(notice, index, time, error)) return false;
    payload = BuildNoticePayload(fields[0], fields[1], fields[2], fields[3], time);
    return true;
}

}  // namespace

bool ParseNotices(const std::string& text, std::vector<NoticePayload>& notices, std::string& error) {
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
        NoticePayload payload;
        if (!ParseNotice(list[i], i, payload, error)) return false;
        notices.push_back(std::move(payload));
    }
    return true;
}

bool LoadNoticesFile(const std::wstring& path, std::vector<NoticePayload>& notices, std::string& error) {
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
