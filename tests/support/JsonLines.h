// The stand-in's transcript, one JSON object a line, read back whole (for whoever builds with its JSON library).
#pragma once
#include "ScratchFiles.h"
#include <nlohmann/json.hpp>
#include <sstream>
#include <vector>

inline std::vector<nlohmann::json> ReadJsonLines(const std::wstring& path) {
    std::vector<nlohmann::json> lines;
    std::istringstream text(ReadFileText(path));
    for (std::string line; std::getline(text, line);) lines.push_back(nlohmann::json::parse(line));
    return lines;
}
