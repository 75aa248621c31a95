// Program Manager for the PC: started as C:\WINDOWS\PROGMAN.EXE (WinExec("Progman")), it keeps
// the program groups and serves the DDE conversations of setup programs until ExitProgman.
#include "progman_window.h"

#include "win/process.h"
#include "win/user.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int show) {
    // One Program Manager per PC: a second one would answer every initiation twice.
    if (FindWindowA(kProgmanClass, nullptr) != nullptr) return 0;
    if (createProgmanWindow(instance, show) == nullptr) return 0;
    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    return 0;
}
