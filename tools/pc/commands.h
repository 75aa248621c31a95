// The commands of the `pc` tool. Each takes the arguments after its name and returns the exit code.
#pragma once

#include <string>
#include <vector>

using Args = std::vector<std::string>;

int cmdInit(const Args& args);
int cmdDisk(const Args& args);
int cmdReg(const Args& args);
