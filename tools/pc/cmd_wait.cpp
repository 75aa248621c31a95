// pc wait DIR [--timeout S]: waits until no program of the PC runs; exit code 1 on time-out.
#include "commands.h"

#include "kernel/pc.h"
#include "process/programs.h"

#include <cstdio>
#include <stdexcept>

int cmdWait(const Args& args) {
    if (args.empty() || (args.size() != 1 && args.size() != 3))
        throw std::runtime_error("usage: pc wait DIR [--timeout S]");
    std::optional<std::chrono::milliseconds> timeout;
    if (args.size() == 3) {
        if (args[1] != "--timeout") throw std::runtime_error("unknown option " + args[1] + " (usage: pc wait DIR [--timeout S])");
        std::size_t used = 0;
        double seconds = -1;
        try {
            seconds = std::stod(args[2], &used);
        } catch (const std::exception&) {
        }
        if (used != args[2].size() || seconds < 0)
            throw std::runtime_error("--timeout wants a number of seconds, not '" + args[2] + "'");
        timeout = std::chrono::milliseconds(static_cast<long long>(seconds * 1000));
    }
    if (!platform::Pc::isPcFolder(args[0])) throw std::runtime_error(args[0] + " is not a PC folder (make one with pc init)");
    platform::Pc::attach(args[0]);
    if (platform::process::waitForNoPrograms(timeout)) return 0;
    std::fprintf(stderr, "pc wait: programs of %s still run after %s s\n", args[0].c_str(), args[2].c_str());
    return 1;
}
