#include <gtest/gtest.h>
#include "HostOptions.h"
#include "toolbox/Utf8.h"

namespace {

TEST(HostOptions, ScreensBySizeAndResolutionAndTheirNames) {
    struct Case {
        std::vector<std::wstring> args;
        SIZE size;
        int dpi;
        const wchar_t* problem;  // a fragment of the error; null when the line is fine
    } cases[] = {
        {{}, {0, 0}, 0, nullptr},
        {{L"--screen", L"320x240@96"}, {320, 240}, 96, nullptr},
        {{L"--screen", L"480x800@192"}, {480, 800}, 192, nullptr},
        {{L"--qvga"}, {240, 320}, 96, nullptr},
        {{L"--vga"}, {480, 640}, 192, nullptr},
        {{L"--vga", L"--screen", L"320x320@131"}, {320, 320}, 131, nullptr},  // the last one counts
        {{L"--screen"}, {}, 0, L"--screen needs a value"},
        {{L"--screen", L"320x240"}, {}, 0, L"--screen: '320x240' is not a screen: WIDTHxHEIGHT@DPI"},
        {{L"--screen", L"320*240@96"}, {}, 0, L"is not a screen"},
        {{L"--screen", L"96@320x240"}, {}, 0, L"is not a screen"},
        {{L"--screen", L"0x240@96"}, {}, 0, L"width and height must be whole numbers of pixels from 1 to 4096"},
        {{L"--screen", L"320x-240@96"}, {}, 0, L"width and height"},
        {{L"--screen", L"320x5000@96"}, {}, 0, L"width and height"},
        {{L"--screen", L"320x240@"}, {}, 0, L"the resolution must be a whole number of dots per inch"},
        {{L"--screen", L"320x240@ninety"}, {}, 0, L"the resolution must be"},
    };
    for (const Case& c : cases) {
        HostOptions options;
        std::wstring error;
        const bool ok = ParseHostOptions(c.args, options, error);
        const std::string line = c.args.empty() ? "(none)" : ToUtf8(c.args.back());
        if (c.problem) {
            EXPECT_FALSE(ok) << line;
            EXPECT_NE(std::wstring::npos, error.find(c.problem)) << line << " gave: " << ToUtf8(error);
        } else {
            ASSERT_TRUE(ok) << line << ": " << ToUtf8(error);
            EXPECT_EQ(c.size.cx, options.config.screen.size.cx) << line;
            EXPECT_EQ(c.size.cy, options.config.screen.size.cy) << line;
            EXPECT_EQ(c.dpi, options.config.screen.dpi) << line;
        }
    }
}

TEST(HostOptions, AScreenForAnotherResolutionThanThePrefixsIsRefusedNamingBoth) {
    struct Case {
        std::vector<std::wstring> args;
        int prefixDpi;
        const wchar_t* problem;  // null: accepted
    } cases[] = {
        {{}, 131, nullptr},
        {{L"--screen", L"320x320@131"}, 131, nullptr},
        {{L"--vga"}, 192, nullptr},
        {{L"--vga"}, 96, L"--vga (480x640@192) asks for 192 dpi, but the screen here has 96 dpi"},
        {{L"--screen", L"320x240@96"}, 192, L"--screen 320x240@96 asks for 96 dpi, but the screen here has 192 dpi"},
    };
    for (const Case& c : cases) {
        HostOptions options;
        std::wstring error;
        ASSERT_TRUE(ParseHostOptions(c.args, options, error));
        EXPECT_EQ(c.problem == nullptr, CheckScreenResolution(options, c.prefixDpi, error)) << c.prefixDpi;
        if (c.problem) {
            EXPECT_NE(std::wstring::npos, error.find(c.problem)) << ToUtf8(error);
        }
    }
}

TEST(HostOptions, ThemesByNameAndTheirProblems) {
    struct Case {
        std::vector<std::wstring> args;
        Theme theme;
        const wchar_t* problem;  // a fragment of the error; null when the line is fine
    } cases[] = {
        {{}, Theme::Light, nullptr},
        {{L"--theme", L"dark"}, Theme::Dark, nullptr},
        {{L"--theme", L"contrast"}, Theme::Contrast, nullptr},
        {{L"--theme", L"dark", L"--theme", L"light"}, Theme::Light, nullptr},
        {{L"--theme", L"Dark"}, Theme::Light, L"--theme: 'Dark' is not a theme (light, dark or contrast)"},
        {{L"--theme"}, Theme::Light, L"--theme needs a value"},
    };
    for (const Case& c : cases) {
        HostOptions options;
        std::wstring error;
        const bool ok = ParseHostOptions(c.args, options, error);
        const std::string line = c.args.empty() ? "(none)" : ToUtf8(c.args.back());
        EXPECT_EQ(c.problem == nullptr, ok) << line;
        if (c.problem) EXPECT_NE(std::wstring::npos, error.find(c.problem)) << line << " gave: " << ToUtf8(error);
        else EXPECT_EQ(c.theme, options.config.theme) << line;
    }
}

}  // namespace
