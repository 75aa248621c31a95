// Programs of the PC as host processes: starting them as WinExec does, the entry that every
// program runs through, and waiting for them.
#pragma once

#include "win/types.h"

#include <sys/types.h>

#include <chrono>
#include <optional>
#include <string>

namespace platform::process {

struct StartResult {
    UINT code = 0;  // above 31 when the program started, else the platform's error code
    pid_t pid = -1;
};

struct StartOptions {
    // The directory the program starts in, searched first for a bare name (ShellExecuteA);
    // without it the starter's current directory.
    std::optional<std::string> directory;
};

// How long a start waits for the new program to wait for input.
inline constexpr std::chrono::seconds kInputIdleTimeout{20};

StartResult startProgram(const std::string& commandLine, UINT show, const StartOptions& options = {});

// The program entry: attaches the PC, introduces the program to the desktop and runs WINMAIN
// with the command-line tail. Returns the exit code.
using WinMainFunction = int(WINAPI*)(HINSTANCE, HINSTANCE, LPSTR, int);
int runProgram(int argc, char** argv, WinMainFunction winMain);

// The command line without the program name and the blanks behind it, verbatim.
std::string commandLineTail(const std::string& commandLine);

// Waits until no program of the current PC runs; false on time-out (real time).
bool waitForNoPrograms(std::optional<std::chrono::milliseconds> timeout);

// Makes DeleteFileA refuse the image of a running program of the PC.
void installRunningImageHook();

}  // namespace platform::process
