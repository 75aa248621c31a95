#include "command_table.h"

#include <cstdio>
#include <cstring>
#include <exception>

namespace tools {
namespace {

int usage(const char* tool, const Command* commands, std::size_t count) {
    std::fprintf(stderr, "usage: %s COMMAND ...\n", tool);
    for (std::size_t i = 0; i < count; ++i) std::fprintf(stderr, "  %s %s\n", tool, commands[i].usage);
    return 2;
}

}  // namespace

int runCommand(const char* tool, const Command* commands, std::size_t count, int argc, char** argv) {
    if (argc < 2) return usage(tool, commands, count);
    for (std::size_t i = 0; i < count; ++i) {
        const Command& c = commands[i];
        if (std::strcmp(argv[1], c.name) != 0) continue;
        try {
            return c.run(Args(argv + 2, argv + argc));
        } catch (const UsageError&) {
            std::fprintf(stderr, "usage: %s %s\n", tool, c.usage);
            return 2;
        } catch (const std::exception& e) {
            std::fprintf(stderr, "%s %s: %s\n", tool, c.name, e.what());
            return 1;
        }
    }
    std::fprintf(stderr, "%s: unknown command '%s'\n", tool, argv[1]);
    return usage(tool, commands, count);
}

}  // namespace tools
