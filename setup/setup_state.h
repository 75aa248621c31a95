// The setup state: everything the steps of one installation share, one instance per process.
#pragma once

#include "actions/action_context.h"
#include "win/types.h"

struct SetupState {
    char sourceDirectory[256];  // the distribution files (command-line tail)
    char setupDirectory[128];   // where this program, its script and WININST.INF lie
    char scriptPath[256];       // setup directory + "\_SETUP.INI"
    BOOL recordFlag;            // [SETUP] UNSETUP: keep the uninstall record
    char versionText[128];
    char heading[128];          // "Installation of %s"
    char dialogTitle[128];
    int groupCount;
    int itemTotal;              // files over all groups
    BOOL koreanMode;

    char startDirectory[128];
    char installPath[256];
    char groupName[128];
    char recordPath[256];       // install path + "\_UNSETUP.INI"
    HFONT headingFont;
    int widestCharacter;

    int restartKind;            // [SETUP] BOOT, 3 for a kind without a dialog of its own
    INT_PTR restartAnswer;      // 1: the user said Yes
    BOOL finished;
    HWND progressWindow;
    HWND mainWindow;
    HINSTANCE instance;

    // Copy counters of the file-copy dialog.
    int groupItems;   // files of the current group
    int itemInGroup;  // the next file's ITEM number within its group
    int nextGroup;    // the group that begins next
    int itemIndex;    // files copied so far
    BOOL busy;        // a file is being copied
};

extern SetupState setup;

// The view of the setup state that the installer actions take.
class SetupActionContext : public ActionContext {
public:
    LPCSTR installPath() const override { return setup.installPath; }
    LPCSTR groupName() const override { return setup.groupName; }
    BOOL recordFlag() const override { return setup.recordFlag; }
    LPCSTR programDirectory() const override { return setup.setupDirectory; }
};

// The program: start-up, main window, message loop, restart request and hand-over.
// COMMAND_TAIL is the source directory. Returns the exit code (0).
int runSetup(HINSTANCE instance, LPCSTR commandTail);

LRESULT CALLBACK SetupWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
INT_PTR CALLBACK ExecPathDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
INT_PTR CALLBACK FileCopyDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
INT_PTR CALLBACK RestartDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

// Deletes the files of the script's [DELETE] section.
void deleteListedFiles();

// Moves DIALOG, keeping its size, to the middle of the main window's client area.
void centreOverMainWindow(HWND dialog);

// The base directory of a location letter: C the install path, W the Windows directory, S the
// system directory and, where ALLOW_SOURCE, X the source directory; nullptr for another letter.
// BUFFER (SIZE bytes) holds the Windows and system directories.
LPCSTR locationDirectory(char letter, BOOL allowSource, LPSTR buffer, UINT size);
