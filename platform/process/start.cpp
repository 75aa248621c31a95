// Starting a program of the PC: the Windows search for its image, then a host process that
// inherits the PC, the clock and the current directory.
#include "desktop/connection.h"
#include "desktop/spawn.h"
#include "kernel/hooks.h"
#include "kernel/module.h"
#include "kernel/paths.h"
#include "kernel/pc.h"
#include "process/programs.h"
#include "time/clock.h"
#include "user/dispatch.h"
#include "user/link.h"
#include "win/kernel.h"
#include "win/process.h"

#include <sys/stat.h>

#include <fstream>
#include <vector>

namespace platform::process {
namespace {

namespace fs = std::filesystem;

// The program name of a command line (quotes removed) and where it ends.
std::string programName(const std::string& commandLine) {
    std::size_t start = commandLine.find_first_not_of(" \t");
    if (start == std::string::npos) return "";
    if (commandLine[start] == '"') {
        std::size_t close = commandLine.find('"', start + 1);
        return commandLine.substr(start + 1, close == std::string::npos ? std::string::npos : close - start - 1);
    }
    std::size_t end = commandLine.find_first_of(" \t", start);
    return commandLine.substr(start, end == std::string::npos ? std::string::npos : end - start);
}

bool hasExtension(const std::string& name) {
    std::size_t slash = name.find_last_of("\\:");
    std::size_t dot = name.find_last_of('.');
    return dot != std::string::npos && (slash == std::string::npos || dot > slash);
}

std::string joined(const std::string& directory, const std::string& name) {
    return directory.empty() || directory.back() == '\\' ? directory + name : directory + "\\" + name;
}

std::string windowsDirectory(bool system) {
    char buffer[MAX_PATH];
    UINT n = system ? GetSystemDirectoryA(buffer, sizeof buffer) : GetWindowsDirectoryA(buffer, sizeof buffer);
    return std::string(buffer, n);
}

struct Found {
    paths::Mapped image;
    UINT error = 0;
};

Found locate(const std::string& name, const StartOptions& options) {
    Found found;
    bool bare = name.find_first_of("\\:") == std::string::npos;
    std::vector<std::string> candidates;
    if (!bare) {
        std::string path = name;
        if (options.directory && name.find(':') == std::string::npos && name[0] != '\\') path = joined(*options.directory, name);
        candidates.push_back(path);
    } else {
        if (options.directory) candidates.push_back(joined(*options.directory, name));
        if (std::optional<std::string> own = module::imageDirectory()) candidates.push_back(joined(*own, name));
        candidates.push_back(joined(paths::currentDirectory(), name));
        candidates.push_back(joined(windowsDirectory(false), name));
        candidates.push_back(joined(windowsDirectory(true), name));
    }
    found.error = ERROR_FILE_NOT_FOUND;
    for (const std::string& candidate : candidates) {
        paths::Mapped mapped = paths::map(candidate);
        if (mapped && mapped.exists && fs::is_regular_file(mapped.host)) {
            found.image = mapped;
            found.error = 0;
            return found;
        }
        if (candidates.size() == 1 && !mapped && mapped.error == ERROR_PATH_NOT_FOUND) found.error = ERROR_PATH_NOT_FOUND;
    }
    return found;
}

bool isHostProgram(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    char magic[4] = {};
    in.read(magic, 4);
    return in.gcount() == 4 && magic[0] == 0x7f && magic[1] == 'E' && magic[2] == 'L' && magic[3] == 'F';
}

}  // namespace

StartResult startProgram(const std::string& commandLine, UINT show, const StartOptions& options) {
    installRunningImageHook();
    StartResult result;
    std::string name = programName(commandLine);
    if (name.empty()) {
        result.code = ERROR_FILE_NOT_FOUND;
        return result;
    }
    if (!hasExtension(name)) name += ".EXE";
    Found found = locate(name, options);
    if (found.error) {
        result.code = found.error;
        return result;
    }
    if (!isHostProgram(found.image.host)) {
        result.code = ERROR_BAD_FORMAT;
        return result;
    }
    // Images come onto the PC as plain files (copied or expanded); running one needs the
    // host's execute permission.
    std::error_code ec;
    fs::permissions(found.image.host, fs::perms::owner_exec | fs::perms::group_exec | fs::perms::others_exec,
                    fs::perm_options::add, ec);

    desktop::SpawnRequest request;
    request.program = found.image.host.string();
    request.arguments = {found.image.host.filename().string()};
    request.environment = {{"PC_ROOT", Pc::current().root().string()},
                           {"PC_CLOCK", std::string(clock::inheritedSetting())},
                           {"PC_CMDLINE", commandLine},
                           {"PC_IMAGE", found.image.windows},
                           {"PC_SHOW", std::to_string(show)},
                           {"PC_CWD", options.directory.value_or(paths::currentDirectory())}};
    pid_t pid = desktop::spawnProcess(request);
    if (pid < 0) {
        result.code = 0;  // out of system resources
        return result;
    }
    result.pid = pid;
    result.code = 33;
    try {
        // While it waits, the starter still answers what is sent to it: a program that
        // broadcasts as it starts must not stall on its starter.
        desktop::Connection& connection = user::link::connection();
        std::uint64_t call = connection.startCall(desktop::Kind::awaitIdle, desktop::Writer().i64(pid));
        std::optional<desktop::Reader> answer;
        bool answered = user::waitAnsweringSends(*user::currentQueue(), [&] {
            return connection.answer(call, answer) != desktop::Connection::State::waiting || desktop::hasEnded(pid);
        }, std::chrono::steady_clock::now() + kInputIdleTimeout);
        if (!answered || !answer) connection.abandon(call);
    } catch (const std::exception&) {
        // The program runs; only the wait for it could not be made.
    }
    return result;
}

bool waitForNoPrograms(std::optional<std::chrono::milliseconds> timeout) {
    desktop::Connection* connection = desktop::Connection::existing();
    if (!connection) return true;
    std::uint64_t call = connection->startCall(desktop::Kind::awaitNoPrograms);
    std::optional<desktop::Reader> answer;
    auto deadline = timeout ? std::chrono::steady_clock::now() + *timeout : std::chrono::steady_clock::time_point::max();
    auto state = connection->waitAnswer(call, deadline, nullptr, answer);
    if (state == desktop::Connection::State::waiting) {
        connection->abandon(call);
        return false;
    }
    return true;  // answered, or the desktop itself has gone
}

void installRunningImageHook() {
    if (hooks::isRunningImage()) return;
    hooks::isRunningImage() = [](const fs::path& host) {
        try {
            desktop::Connection* connection = desktop::Connection::existing();
            if (!connection) return false;
            std::error_code ec;
            fs::path canonical = fs::weakly_canonical(host, ec);
            return connection->call(desktop::Kind::runningImage, desktop::Writer().text(canonical.string())).u8() != 0;
        } catch (const std::exception&) {
            return false;
        }
    };
}

}  // namespace platform::process

UINT WINAPI WinExec(LPCSTR commandLine, UINT show) {
    if (!commandLine) return ERROR_FILE_NOT_FOUND;
    return platform::process::startProgram(commandLine, show).code;
}
