// The commands of the `kit` tool. Each takes the arguments after its name and returns the exit
// code; a failure throws std::runtime_error with a message that names the file and the fault.
#pragma once

#include <string>
#include <vector>

using Args = std::vector<std::string>;

// Thrown for wrong arguments: main answers with the usage.
struct UsageError {};

int cmdCompress(const Args& args);
int cmdExpand(const Args& args);
