#include "TestData.h"

std::wstring TestDataFile(const std::wstring& name) { return std::wstring(ARDENO_TEST_DATA_DIR) + L"/" + name; }
