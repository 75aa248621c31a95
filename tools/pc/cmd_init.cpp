// pc init DIR [--screen WxH] [--korean] [--codepage N] [--force]
#include "commands.h"

#include "kernel/pc_create.h"

#include <cstdio>
#include <filesystem>
#include <stdexcept>
#include <string>

int cmdInit(const Args& args) {
    platform::PcOptions options;
    std::string dir;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        auto value = [&]() -> const std::string& {
            if (i + 1 >= args.size()) throw std::runtime_error(a + " needs a value");
            return args[++i];
        };
        if (a == "--screen") {
            const std::string& v = value();
            if (!platform::parseScreen(v, options.screenWidth, options.screenHeight))
                throw std::runtime_error("--screen " + v + ": use 640x480, 800x600 or 1024x768");
        } else if (a == "--korean") {
            options.korean = true;
        } else if (a == "--codepage") {
            options.codePage = std::stoi(value());
        } else if (a == "--force") {
            options.force = true;
        } else if (!a.empty() && a[0] == '-') {
            throw std::runtime_error("unknown option " + a);
        } else if (dir.empty()) {
            dir = a;
        } else {
            throw std::runtime_error("one folder only: " + a);
        }
    }
    if (dir.empty()) throw std::runtime_error("usage: pc init DIR [--screen 640x480|800x600|1024x768] [--korean] [--force]");
    platform::createPc(dir, options);
    // Program Manager lives in the Windows directory, where WinExec("Progman") finds it.
    const std::filesystem::path progman = std::filesystem::path(dir) / "c" / "WINDOWS" / "PROGMAN.EXE";
    std::error_code error;
    std::filesystem::copy_file(KIT_PROGMAN_IMAGE, progman, std::filesystem::copy_options::overwrite_existing, error);
    if (error) throw std::runtime_error("cannot copy " KIT_PROGMAN_IMAGE " to " + progman.string() + ": " + error.message());
    std::printf("PC created in %s (%dx%d, code page %d%s)\n", dir.c_str(), options.screenWidth,
                options.screenHeight, options.codePage, options.korean ? ", Korean" : "");
    return 0;
}
