// The progress window: a small modeless notice that runs the command script WININST.INF through
// the DDE engine, one line per 300-millisecond tick, and tells its owner when it is over.
#pragma once

#include "win/types.h"

// The end message: the setup program runs the installation script (mode 1) and waits for 2024;
// the uninstall program runs the removal script and waits for 1025.
#define WM_SETUP_SCRIPT_DONE 2024
#define WM_UNSETUP_SCRIPT_DONE 1025
// Posted by the window to itself once it is initialised: start the run.
#define WM_START_SCRIPT 1124
// The list box that holds the script lines; its selection is the next line to run.
#define IDC_SCRIPT_LINES 1000
#define STEP_TIMER_ID 100
#define STEP_PERIOD 300

// The progress window's program-wide state; one instance per program.
struct ProgressState {
    HINSTANCE instance;
    char scriptDirectory[MAX_PATH];
    HWND owner;
    UINT endMessage;
    BOOL drawsBitmap;        // the setup program's window looks for bitmap 1000
    char notice[256];
    UINT_PTR stepTimer;      // 0 while no step timer runs
    HCURSOR savedCursor;
};

extern ProgressState progressState;

// Opens the progress window for MODE (1 install, 0 removal) over OWNER, to run the script in
// SCRIPT_DIRECTORY; its handle goes to *SLOT. Returns 0 when the window was created, 1 when not:
// the owner then gets the end message at once, so that it goes on with its next step.
int startCommandScript(HWND* slot, int mode, HINSTANCE instance, HWND owner, LPCSTR scriptDirectory);

// Fills the window's list with the lines of WININST.INF. FALSE when the file cannot be opened or
// read, or breaks the format (a line longer than 255 characters, a zero byte): nothing of it runs.
BOOL loadCommandScript(HWND window);

// One tick: runs the selected line and selects the next; after the last line the window goes.
void stepCommandScript(HWND window);

// Takes the running program's own file out of WIN.INI [windows] run.
void removeRunEntry(HINSTANCE instance);

INT_PTR CALLBACK progressWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
