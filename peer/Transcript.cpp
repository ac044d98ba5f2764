#include "Transcript.h"
#include "../kit/LinkWire.h"
#include "Notice.h"
#include "Hex.h"
#include "../toolbox/SystemError.h"
#include "../toolbox/Utf8.h"

using json = nlohmann::ordered_json;

namespace {

const char* DirectionName(TranscriptDirection direction) {
    switch (direction) {
    case TranscriptDirection::Sent:
        return "sent";
    case TranscriptDirection::Received:
        return "received";
    case TranscriptDirection::Called:
        return "called";
    case TranscriptDirection::Self:
        return "self";
    }
    return "?";
}

// Handles and parameters are 32-bit on this platform; print them unsigned, as the other side sees them.
json Word(WPARAM value) { return static_cast<unsigned long>(value); }

}  // namespace

const char* LinkMessageName(UINT message) {
    switch (message) {
    case WM_COPYDATA:
        return "WM_COPYDATA";
    case LINKM_MAIN_ATTACH:
        return "LINKM_MAIN_ATTACH";
    case LINKM_MAIN_DETACH:
        return "LINKM_MAIN_DETACH";
    case LINKM_ITEM_ATTACH:
        return "LINKM_ITEM_ATTACH";
    case LINKM_ITEM_DETACH:
        return "LINKM_ITEM_DETACH";
    case LINKM_CLEAR:
        return "LINKM_CLEAR";
    case LINKM_STATUS:
        return "LINKM_STATUS";
    case LINKM_SORT:
        return "LINKM_SORT";
    case LINKM_PING:
        return "LINKM_PING";
    case LINKM_ACTIVATE:
        return "LINKM_ACTIVATE";
    }
    return "";
}

bool Transcript::Open(const std::wstring& path, std::string& error) {
    Close();
    startTick = GetTickCount();
    if (path.empty()) return true;
    file.Reset(CreateFileW(path.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                           nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) {
        const DWORD code = GetLastError();  // before anything else can set it
        error = "transcript '" + ToUtf8(path) + "': cannot open it for writing: " + ToUtf8(SystemErrorText(code));
        return false;
    }
    return true;
}

void Transcript::Close() { file.Reset(); }

void Transcript::Message(TranscriptDirection direction, UINT message, WPARAM wParam, LPARAM lParam, LRESULT result) {
    Write({{"dir", DirectionName(direction)},
           {"msg", message},
           {"name", LinkMessageName(message)},
           {"wParam", Word(wParam)},
           {"lParam", Word(lParam)},
           {"result", static_cast<long>(result)}});
}

void Transcript::CopyData(TranscriptDirection direction, WPARAM wParam, const COPYDATASTRUCT& data, LRESULT result,
                          const char* control) {
    const BYTE* bytes = static_cast<const BYTE*>(data.lpData);
    size_t count = bytes ? data.cbData : 0;
    json line = {{"dir", DirectionName(direction)},
                 {"msg", WM_COPYDATA},
                 {"name", "WM_COPYDATA"},
                 {"wParam", Word(wParam)},
                 {"dwData", Word(data.dwData)},
                 {"cbData", data.cbData},
                 {"text", ToUtf8(PayloadText(bytes, count))},
                 {"hex", BytesToHex(bytes, count)},
                 {"result", static_cast<long>(result)}};
    if (control) line["control"] = control;
    Write(line);
}

void Transcript::Call(const char* function, DWORD id, LRESULT result, const std::wstring& html) {
    json line = {{"dir", DirectionName(TranscriptDirection::Called)},
                 {"name", function},
                 {"id", id},
                 {"result", static_cast<long>(result)}};
    if (!html.empty()) line["html"] = ToUtf8(html);
    Write(line);
}

void Transcript::Step(const char* name, json fields) {
    json line = {{"dir", DirectionName(TranscriptDirection::Self)}, {"name", name}};
    for (auto& field : fields.items()) line[field.key()] = field.value();
    Write(line);
}

void Transcript::Write(json line) {
    if (!file) return;
    line["t"] = GetTickCount() - startTick;
    // One write per line, straight to the file: readers never see half a line or a line held in a buffer.
    std::string text = line.dump(-1, ' ', false, json::error_handler_t::replace) + "\n";
    DWORD written = 0;
    WriteFile(file.get(), text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
}
