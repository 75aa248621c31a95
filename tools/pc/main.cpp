// pc: the virtual PC. One folder is one computer; these commands make, fill and watch it.
#include "commands.h"

#include <cstdio>
#include <cstring>
#include <exception>

namespace {

struct Command {
    const char* name;
    int (*run)(const Args&);
    const char* usage;
};

const Command kCommands[] = {
    {"init", cmdInit, "init DIR [--screen 640x480|800x600|1024x768] [--korean] [--codepage 949|1252] [--force]"},
    {"disk", cmdDisk, "disk DIR FOLDER          put a distribution folder's files onto drive A:"},
    {"reg", cmdReg, "reg DIR [KEY]            print the registry (or one key and below) in REGEDIT4 form"},
};

int usage() {
    std::fprintf(stderr, "usage: pc COMMAND ...\n");
    for (const Command& c : kCommands) std::fprintf(stderr, "  pc %s\n", c.usage);
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) return usage();
    for (const Command& c : kCommands) {
        if (std::strcmp(argv[1], c.name) != 0) continue;
        try {
            return c.run(Args(argv + 2, argv + argc));
        } catch (const std::exception& e) {
            std::fprintf(stderr, "pc %s: %s\n", c.name, e.what());
            return 1;
        }
    }
    std::fprintf(stderr, "pc: unknown command '%s'\n", argv[1]);
    return usage();
}
