// kit: the distribution kit's build tool. Compresses and expands files in the LZ expand format.
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
    {"compress", cmdCompress, "compress IN OUT     compress file IN into OUT in the LZ expand format"},
    {"expand", cmdExpand, "expand IN OUT       expand file IN, compressed in the LZ expand format, into OUT"},
};

int usage() {
    std::fprintf(stderr, "usage: kit COMMAND ...\n");
    for (const Command& c : kCommands) std::fprintf(stderr, "  kit %s\n", c.usage);
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) return usage();
    for (const Command& c : kCommands) {
        if (std::strcmp(argv[1], c.name) != 0) continue;
        try {
            return c.run(Args(argv + 2, argv + argc));
        } catch (const UsageError&) {
            std::fprintf(stderr, "usage: kit %s\n", c.usage);
            return 2;
        } catch (const std::exception& e) {
            std::fprintf(stderr, "kit %s: %s\n", c.name, e.what());
            return 1;
        }
    }
    std::fprintf(stderr, "kit: unknown command '%s'\n", argv[1]);
    return usage();
}
