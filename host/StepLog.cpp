#include "StepLog.h"
#include "TodayHost.h"
#include "toolbox/SystemError.h"
#include "toolbox/Utf8.h"
#include <cstdio>

std::string JsonString(const std::wstring& text) {
    std::string json = "\"";
    for (char c : ToUtf8(text)) {
        if (c == '"' || c == '\\') {
            json += '\\';
            json += c;
        } else if (static_cast<unsigned char>(c) < 0x20) {
            char escaped[8];
            snprintf(escaped, sizeof(escaped), "\\u%04x", static_cast<unsigned char>(c));
            json += escaped;
        } else {
            json += c;
        }
    }
    return json + "\"";
}

bool StepLog::Open(const std::wstring& path, const std::wstring& watched, std::wstring& error) {
    watchedFile = watched;
    if (path.empty()) return true;
    file.Reset(CreateFileW(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL,
                           nullptr));
    if (file) return true;
    error = L"--step-log: cannot write " + path + L": " + SystemErrorText(GetLastError());
    return false;
}

void StepLog::Write(const ScriptStep& step, const TodayHost& host) {
    if (!file) return;
    std::string line = "{\"line\":" + std::to_string(step.line) + ",\"step\":" + JsonString(step.verb) + ",\"args\":[";
    for (size_t i = 0; i < step.args.size(); ++i) line += (i ? "," : "") + JsonString(step.args[i]);
    line += "],\"items\":[";
    bool first = true;
    for (const auto& item : host.Items()) {
        line += (first ? "" : ",") + std::string("{\"name\":") + JsonString(item->Name()) +
                ",\"height\":" + std::to_string(item->record.cyp) + "}";
        first = false;
    }
    line += "],\"notifications\":[";
    first = true;
    for (const ShellNotification& notification : host.Notifications().Items()) {
        line += (first ? "" : ",") + JsonString(notification.text);
        first = false;
    }
    line += "]";
    if (!watchedFile.empty()) {
        WIN32_FILE_ATTRIBUTE_DATA attributes;
        // Not there yet: nothing written to it yet.
        unsigned long long size = 0;
        if (GetFileAttributesExW(watchedFile.c_str(), GetFileExInfoStandard, &attributes))
            size = (static_cast<unsigned long long>(attributes.nFileSizeHigh) << 32) | attributes.nFileSizeLow;
        line += ",\"watched\":" + std::to_string(size);
    }
    const SIZE screen = host.ScreenSize();
    line += ",\"screen\":[" + std::to_string(screen.cx) + "," + std::to_string(screen.cy) + "]}\n";
    DWORD written = 0;
    WriteFile(file.get(), line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
}
