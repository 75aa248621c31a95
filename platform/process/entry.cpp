// The program entry and what a program knows about itself: its command line and image.
#include "desktop/connection.h"
#include "kernel/module.h"
#include "kernel/pc.h"
#include "process/programs.h"
#include "user/link.h"
#include "win/kernel.h"
#include "win/process.h"
#include "win/user.h"

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <mutex>

namespace platform::process {
namespace {

namespace fs = std::filesystem;

std::mutex lineLock;
std::string& storedCommandLine() {
    static auto* line = new std::string;
    return *line;
}
bool commandLineKnown = false;

// Started from the host rather than by another program: the image's Windows path and the
// host arguments joined with blanks.
std::string hostCommandLine(int argc, char** argv) {
    std::string line = module::imagePath().value_or(argc > 0 ? argv[0] : "");
    for (int i = 1; i < argc; ++i) line += std::string(" ") + argv[i];
    return line;
}

}  // namespace

std::string commandLineTail(const std::string& commandLine) {
    std::size_t at = 0;
    while (at < commandLine.size() && (commandLine[at] == ' ' || commandLine[at] == '\t')) ++at;
    if (at < commandLine.size() && commandLine[at] == '"') {
        std::size_t close = commandLine.find('"', at + 1);
        at = close == std::string::npos ? commandLine.size() : close + 1;
    } else {
        while (at < commandLine.size() && commandLine[at] != ' ' && commandLine[at] != '\t') ++at;
    }
    while (at < commandLine.size() && (commandLine[at] == ' ' || commandLine[at] == '\t')) ++at;
    return commandLine.substr(at);
}

int runProgram(int argc, char** argv, WinMainFunction winMain) {
    try {
        Pc::current();
    } catch (const std::exception& e) {
        std::fprintf(stderr, "%s\n", e.what());
        return 1;
    }
    if (const char* image = std::getenv("PC_IMAGE")) module::setImagePath(image);
    if (const char* directory = std::getenv("PC_CWD")) SetCurrentDirectoryA(directory);
    const char* given = std::getenv("PC_CMDLINE");
    std::string commandLine = given ? given : hostCommandLine(argc, argv);
    {
        std::lock_guard guard(lineLock);
        storedCommandLine() = commandLine;
        commandLineKnown = true;
    }
    const char* show = std::getenv("PC_SHOW");
    std::error_code ec;
    desktop::Connection::setIdentity(
        {true, fs::canonical("/proc/self/exe", ec).string(), commandLine});
    installRunningImageHook();
    try {
        user::link::connection();
    } catch (const std::exception& e) {
        std::fprintf(stderr, "%s\n", e.what());
        return 1;
    }
    std::string tail = commandLineTail(commandLine);
    int code = winMain(reinterpret_cast<HINSTANCE>(static_cast<std::uintptr_t>(0x400000)), nullptr, tail.data(),
                       show ? std::atoi(show) : SW_SHOWDEFAULT);
    if (desktop::Connection* connection = desktop::Connection::existing())
        connection->notify(desktop::Kind::programEnd, desktop::Writer().i64(code));
    return code;
}

}  // namespace platform::process

LPSTR WINAPI GetCommandLineA() {
    using namespace platform::process;
    std::lock_guard guard(lineLock);
    if (!commandLineKnown) {
        const char* given = std::getenv("PC_CMDLINE");
        storedCommandLine() = given ? given : platform::module::imagePath().value_or("");
        commandLineKnown = true;
    }
    return storedCommandLine().data();
}

DWORD WINAPI GetModuleFileNameA(HMODULE module, LPSTR buffer, DWORD size) {
    if (module && module != reinterpret_cast<HMODULE>(static_cast<std::uintptr_t>(0x400000))) {
        SetLastError(ERROR_MOD_NOT_FOUND);
        return 0;
    }
    std::optional<std::string> image = platform::module::imagePath();
    if (!image) {
        SetLastError(ERROR_FILE_NOT_FOUND);
        return 0;
    }
    if (!buffer || size == 0) {
        SetLastError(ERROR_INSUFFICIENT_BUFFER);
        return 0;
    }
    // Too small a buffer gets the truncated path with its terminating zero, as the platform does.
    DWORD n = static_cast<DWORD>(std::min<std::size_t>(image->size(), size - 1));
    std::memcpy(buffer, image->data(), n);
    buffer[n] = 0;
    if (n < image->size()) SetLastError(ERROR_INSUFFICIENT_BUFFER);
    return n;
}

BOOL WINAPI ExitWindowsEx(UINT flags, DWORD reserved) {
    try {
        platform::desktop::Connection::get().call(platform::desktop::Kind::exitWindows,
                                                  platform::desktop::Writer().u32(flags).u32(reserved));
        return TRUE;
    } catch (const std::exception&) {
        SetLastError(ERROR_INVALID_FUNCTION);
        return FALSE;
    }
}
