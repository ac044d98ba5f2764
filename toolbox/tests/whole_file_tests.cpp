// Reading a whole file: the bytes as they are, while another program still writes it, and an error that names the
// file and the system's reason.
#include "toolbox/WholeFile.h"
#include "platform/ScopedHandles.h"
#include <gtest/gtest.h>

namespace {

std::wstring TemporaryPath(const wchar_t* name) {
    wchar_t folder[MAX_PATH];
    GetTempPathW(MAX_PATH, folder);
    return std::wstring(folder) + L"toolbox-" + std::to_wstring(GetCurrentProcessId()) + L"-" + name;
}

TEST(WholeFile, ReadsEveryByteOfAFileAnotherHandleStillWrites) {
    const std::wstring path = TemporaryPath(L"log.bin");
    std::string written(10000, '\0');
    for (size_t i = 0; i < written.size(); ++i) written[i] = static_cast<char>(i * 7);
    {
        KernelHandle writer(CreateFileW(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                        CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
        ASSERT_TRUE(writer);
        DWORD count = 0;
        ASSERT_TRUE(WriteFile(writer.get(), written.data(), static_cast<DWORD>(written.size()), &count, nullptr));
        std::string bytes = "stale";
        std::wstring error;
        EXPECT_TRUE(ReadWholeFile(path, bytes, error));
        EXPECT_EQ(written, bytes);
    }
    DeleteFileW(path.c_str());
}

TEST(WholeFile, AFileThatCannotBeReadIsNamedWithTheReason) {
    const std::wstring path = TemporaryPath(L"missing.txt");
    std::string bytes = "stale";
    std::wstring error;
    EXPECT_FALSE(ReadWholeFile(path, bytes, error));
    EXPECT_TRUE(bytes.empty());
    EXPECT_EQ(0u, error.find(L"cannot read '" + path + L"': ")) << error.c_str();
    EXPECT_NE(std::wstring::npos, error.find(L"(error 2)")) << error.c_str();
}

}  // namespace
