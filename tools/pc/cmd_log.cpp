// pc log DIR: the PC's event log (programs started and ended, restart requests).
#include "commands.h"

#include "kernel/pc.h"

#include <cstdio>
#include <fstream>
#include <iostream>
#include <stdexcept>

int cmdLog(const Args& args) {
    if (args.size() != 1) throw std::runtime_error("usage: pc log DIR");
    if (!platform::Pc::isPcFolder(args[0])) throw std::runtime_error(args[0] + " is not a PC folder (make one with pc init)");
    platform::Pc pc(args[0]);
    std::ifstream log(pc.eventLog(), std::ios::binary);
    if (log) std::cout << log.rdbuf();
    return 0;
}
