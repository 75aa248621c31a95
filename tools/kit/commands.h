// The commands of the `kit` tool. Each takes the arguments after its name and returns the exit
// code; a failure throws std::runtime_error with a message that names the file and the fault.
#pragma once

#include "command_table.h"

int cmdCompress(const Args& args);
int cmdExpand(const Args& args);
