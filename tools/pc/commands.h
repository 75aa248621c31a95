// The commands of the `pc` tool. Each takes the arguments after its name and returns the exit code.
#pragma once

#include "command_table.h"

int cmdInit(const Args& args);
int cmdDisk(const Args& args);
int cmdReg(const Args& args);
int cmdGroups(const Args& args);
int cmdStart(const Args& args);
int cmdRun(const Args& args);
int cmdWait(const Args& args);
int cmdWindows(const Args& args);
int cmdLog(const Args& args);
int cmdShot(const Args& args);
int cmdClick(const Args& args);
int cmdType(const Args& args);
int cmdText(const Args& args);
int cmdKey(const Args& args);
int cmdClose(const Args& args);
