// The command-line shape shared by the tools: `TOOL COMMAND ARGS...`, one function per command.
#pragma once

#include <string>
#include <vector>

using Args = std::vector<std::string>;

// Thrown for wrong arguments: the tool answers with the command's usage and exit code 2.
struct UsageError {};

namespace tools {

struct Command {
    const char* name;
    int (*run)(const Args&);
    const char* usage;
};

// Runs the command that argv[1] names. A std::exception from it is printed as
// "TOOL COMMAND: message" with exit code 1; an unknown command prints the usage, exit code 2.
int runCommand(const char* tool, const Command* commands, std::size_t count, int argc, char** argv);

template <std::size_t N>
int runCommand(const char* tool, const Command (&commands)[N], int argc, char** argv) {
    return runCommand(tool, commands, N, argc, argv);
}

}  // namespace tools
