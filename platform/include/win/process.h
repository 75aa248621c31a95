// Programs: starting them, their command line and image, the program entry, and the request
// to shut the PC down.
#pragma once

#include "win/types.h"

// The program's own entry, defined by each program and called by the platform at start.
int WINAPI WinMain(HINSTANCE instance, HINSTANCE previous, LPSTR commandLineTail, int show);

UINT WINAPI WinExec(LPCSTR commandLine, UINT show);
DWORD WINAPI GetModuleFileNameA(HMODULE module, LPSTR buffer, DWORD size);
LPSTR WINAPI GetCommandLineA();

#define ERROR_BAD_FORMAT 11L
#define ERROR_MOD_NOT_FOUND 126L

#define EWX_LOGOFF 0
#define EWX_SHUTDOWN 0x00000001
#define EWX_REBOOT 0x00000002
#define EWX_FORCE 0x00000004
#define EWX_POWEROFF 0x00000008
BOOL WINAPI ExitWindowsEx(UINT flags, DWORD reserved);
