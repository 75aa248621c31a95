#include "desktop/spawn.h"

#include "desktop/connection.h"

#include <spawn.h>
#include <sys/wait.h>

#include <cerrno>
#include <mutex>
#include <set>
#include <thread>

extern char** environ;

namespace platform::desktop {
namespace {

std::mutex endedLock;
std::set<pid_t>& endedPids() {
    static auto* pids = new std::set<pid_t>;
    return *pids;
}

}  // namespace

pid_t spawnProcess(const SpawnRequest& request) {
    std::map<std::string, std::string> merged;
    for (char** entry = environ; *entry; ++entry) {
        std::string text = *entry;
        std::size_t equals = text.find('=');
        if (equals != std::string::npos) merged[text.substr(0, equals)] = text.substr(equals + 1);
    }
    for (const auto& [key, value] : request.environment) merged[key] = value;
    std::vector<std::string> envText;
    for (const auto& [key, value] : merged) envText.push_back(key + "=" + value);

    std::vector<char*> argv;
    for (const std::string& a : request.arguments) argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    std::vector<char*> envp;
    for (const std::string& e : envText) envp.push_back(const_cast<char*>(e.c_str()));
    envp.push_back(nullptr);

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    if (request.inheritFd >= 0) posix_spawn_file_actions_adddup2(&actions, request.inheritFd, 3);
    posix_spawnattr_t attributes;
    posix_spawnattr_init(&attributes);
    posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSID);
    pid_t pid = -1;
    int failed = posix_spawn(&pid, request.program.c_str(), &actions, &attributes, argv.data(), envp.data());
    posix_spawn_file_actions_destroy(&actions);
    posix_spawnattr_destroy(&attributes);
    if (failed) {
        errno = failed;
        return -1;
    }
    {
        std::lock_guard guard(endedLock);
        endedPids().erase(pid);  // a pid used before
    }
    std::thread([pid] {
        int status = 0;
        while (::waitpid(pid, &status, 0) < 0 && errno == EINTR) {
        }
        {
            std::lock_guard guard(endedLock);
            endedPids().insert(pid);
        }
        Connection::wakeWaiters();
    }).detach();
    return pid;
}

bool hasEnded(pid_t pid) {
    std::lock_guard guard(endedLock);
    return endedPids().count(pid) != 0;
}

}  // namespace platform::desktop
