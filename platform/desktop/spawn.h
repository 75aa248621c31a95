// Starting host processes for the PC: each in a session of its own (it outlives its starter and
// its terminal), reaped by a thread of the starter so that no zombie stays behind.
#pragma once

#include <sys/types.h>

#include <map>
#include <string>
#include <vector>

namespace platform::desktop {

struct SpawnRequest {
    std::string program;                       // host path of the executable
    std::vector<std::string> arguments;        // argv[0] first
    std::map<std::string, std::string> environment;  // set on top of this process's environment
    int inheritFd = -1;                        // handed to the child as file descriptor 3
};

// The pid of the new process, or -1 with errno set.
pid_t spawnProcess(const SpawnRequest& request);

// True once a process started by spawnProcess has ended.
bool hasEnded(pid_t pid);

}  // namespace platform::desktop
