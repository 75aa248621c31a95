// The desktop service of one PC: a process of its own that every program of the PC talks to.
// It keeps the window table (handles unique across the PC, z-order of the top-level windows),
// routes posted and sent messages between programs, keeps the global atoms, the list of running
// programs with their images, and writes the PC's event log.
#pragma once

#include <filesystem>

namespace platform::desktop {

struct ServiceOptions {
    std::filesystem::path runFolder;
    std::filesystem::path eventLog;
    // Real time that the service stays after the last program has gone (0: it ends at once).
    int lingerMilliseconds = 0;
    // Write end of a pipe that gets one byte once the service listens (-1: none).
    int readyFd = -1;
};

// Serves until no program is connected any more; returns the exit code.
int runService(const ServiceOptions& options);

}  // namespace platform::desktop
