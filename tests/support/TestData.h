// The inputs kept in tests/data (see its README), by file name.
#pragma once
#include <string>

std::wstring TestDataFile(const std::wstring& name);
