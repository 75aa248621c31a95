// pc: the virtual PC. One folder is one computer; these commands make, fill and watch it.
#include "commands.h"

namespace {

const tools::Command kCommands[] = {
    {"init", cmdInit, "init DIR [--screen 640x480|800x600|1024x768] [--korean] [--codepage 949|1252] [--force]"},
    {"disk", cmdDisk, "disk DIR FOLDER          put a distribution folder's files onto drive A:"},
    {"reg", cmdReg, "reg DIR [KEY]            print the registry (or one key and below) in REGEDIT4 form"},
    {"groups", cmdGroups, "groups DIR               list the Program Manager groups and their items"},
};

}  // namespace

int main(int argc, char** argv) { return tools::runCommand("pc", kCommands, argc, argv); }
