// The program entry of _SETUP: the command-line tail is the source directory.
#include "setup/setup_state.h"
#include "win/process.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE previous, LPSTR commandTail, int show)
{
    return runSetup(instance, commandTail);
}
