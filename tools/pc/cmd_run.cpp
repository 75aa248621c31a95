// pc run DIR CMDLINE: starts a program of the PC as WinExec does and prints its process id.
#include "commands.h"

#include "kernel/pc.h"
#include "process/programs.h"
#include "win/user.h"

#include <cstdio>
#include <stdexcept>

int cmdRun(const Args& args) {
    if (args.size() < 2) throw std::runtime_error("usage: pc run DIR CMDLINE");
    if (!platform::Pc::isPcFolder(args[0])) throw std::runtime_error(args[0] + " is not a PC folder (make one with pc init)");
    platform::Pc::attach(args[0]);
    std::string commandLine = args[1];
    for (std::size_t i = 2; i < args.size(); ++i) commandLine += " " + args[i];
    platform::process::StartResult started = platform::process::startProgram(commandLine, SW_SHOWNORMAL);
    if (started.code <= 31)
        throw std::runtime_error("cannot start \"" + commandLine + "\": error " + std::to_string(started.code));
    std::printf("%d\n", static_cast<int>(started.pid));
    return 0;
}
