#include "HostOptions.h"
#include "Script.h"
#include "toolbox/Decimal.h"

bool ParseHostOptions(const std::vector<std::wstring>& args, HostOptions& options, std::wstring& error) {
    for (size_t i = 0; i < args.size(); ++i) {
        const std::wstring& arg = args[i];
        auto value = [&](std::wstring& out) {
            if (i + 1 >= args.size()) {
                error = arg + L" needs a value";
                return false;
            }
            out = args[++i];
            return true;
        };
        std::wstring text;
        if (arg == L"--help" || arg == L"-h" || arg == L"/?") {
            options.help = true;
        } else if (arg == L"--vga" || arg == L"--qvga") {
            options.config.screen = arg == L"--vga" ? ScreenMode{{480, 640}, 192} : ScreenMode{{240, 320}, 96};
            options.screenOption = arg + L" (" + ScreenModeText(options.config.screen) + L")";
        } else if (arg == L"--screen") {
            if (!value(text)) return false;
            if (!ParseScreenMode(text, true, options.config.screen, error)) {
                error = L"--screen: " + error;
                return false;
            }
            options.screenOption = L"--screen " + text;
        } else if (arg == L"--theme") {
            if (!value(text)) return false;
            if (!ParseTheme(text, options.config.theme)) {
                error = L"--theme: '" + text + L"' is not a theme (" + ThemeNames() + L")";
                return false;
            }
        } else if (arg == L"--stay") {
            options.stay = true;
        } else if (arg == L"--no-ready") {
            options.config.setReady = false;
        } else if (arg == L"--item") {
            if (!value(text)) return false;
            options.config.itemDlls.push_back(text);
        } else if (arg == L"--items-key") {
            if (!value(options.config.itemsKey)) return false;
        } else if (arg == L"--refresh-interval") {
            int ms = 0;
            if (!value(text)) return false;
            if (!ParseInt(text, ms) || ms < 0) {
                error = L"--refresh-interval: '" + text + L"' is not a number of milliseconds";
                return false;
            }
            options.config.refreshIntervalMs = static_cast<UINT>(ms);
        } else if (arg == L"--now") {
            if (!value(text)) return false;
            if (!options.config.clock.Freeze(text)) {
                error = L"--now: '" + text + L"' is not a time like \"2025-12-07 09:41\"";
                return false;
            }
        } else if (arg == L"--script") {
            if (!value(options.scriptFile)) return false;
        } else if (arg == L"--steps") {
            if (!value(options.stepList)) return false;
        } else if (arg == L"--step-log") {
            if (!value(options.stepLog)) return false;
        } else if (arg == L"--watch") {
            if (!value(options.watchFile)) return false;
        } else {
            error = L"unknown argument '" + arg + L"'";
            return false;
        }
    }
    if (!options.scriptFile.empty() && !options.stepList.empty()) {
        error = L"--script and --steps cannot be used together";
        return false;
    }
    if (options.stay && options.scriptFile.empty() && options.stepList.empty()) {
        error = L"--stay needs --script or --steps: it keeps the host open after them";
        return false;
    }
    if (!options.watchFile.empty() && options.stepLog.empty()) {
        error = L"--watch needs --step-log: the file's size is written there";
        return false;
    }
    return true;
}

bool CheckScreenResolution(const HostOptions& options, int screenDpi, std::wstring& error) {
    const int wanted = options.config.screen.dpi;
    if (!wanted || wanted == screenDpi) return true;
    error = options.screenOption + L" asks for " + std::to_wstring(wanted) + L" dpi, but the screen here has " +
            std::to_wstring(screenDpi) + L" dpi: the Wine prefix's LogPixels decides it, and the host cannot " +
            L"change it (run it in a prefix of " + std::to_wstring(wanted) + L" dpi)";
    return false;
}

std::wstring HostUsage() {
    return std::wstring(
               L"usage: TodayHost [options]\n"
               L"  --screen WxH@DPI          the screen: W x H pixels at DPI, which must be the screen's own\n"
               L"                            (default: 240x320, or 480x640 at 192 dpi)\n"
               L"  --qvga | --vga            the screens 240x320@96 and 480x640@192\n"
               L"  --item DLL                load this item DLL instead of the registered items (repeatable)\n"
               L"  --items-key KEY           read the items from HKLM\\KEY (default ") +
           TODAY_ITEMS_KEY +
           L")\n"
           L"  --no-ready                leave " +
           SHELL_READY_EVENT_NAME +
           L" unset\n"
           L"  --refresh-interval MS     period of the refresh query (default 2000; 0 = none)\n"
           L"  --now \"YYYY-MM-DD HH:MM\"  show this time instead of the clock\n"
           L"  --theme light|dark|contrast  the colours items are given and the background (default light)\n"
           L"  --script FILE             run the steps of FILE, then close\n"
           L"  --steps \"STEP; STEP\"      run these steps, then close\n"
           L"  --stay                    after the script (unless it failed or exited), run on by hand\n"
           L"  --step-log FILE           after each step, a JSON line: the step, item heights, notifications\n"
           L"  --watch FILE              with --step-log: also the byte size of FILE (another program's log)\n"
           L"Without a script the host runs until its window is closed. Keys: arrows, Enter, F5 refresh,\n"
           L"O options dialog. Steps:\n" +
           ScriptSummary();
}
