// The host entry of every program: runs the program's WinMain through the platform.
#include "process/programs.h"
#include "win/process.h"

int main(int argc, char** argv) {
    return platform::process::runProgram(argc, argv, WinMain);
}
