// Start-up of the setup program, its message loop, and what follows when the main window is gone:
// the restart request and the hand-over to the bootstrap's cleaner.
#include "actions/utilities.h"
#include "setup/setup_ids.h"
#include "setup/setup_state.h"
#include "win/dialog.h"
#include "win/kernel.h"
#include "win/process.h"
#include "win/profile.h"
#include "win/resource.h"
#include "win/user.h"

#include <climits>
#include <cstdio>
#include <cstring>

SetupState setup;

namespace {

const char kClassName[] = "Setup";

// The source directory is the command-line tail as given; without one, this program's directory.
void readCommandLine(LPCSTR commandTail, LPCSTR ownPath)
{
    if (commandTail && *commandTail) {
        std::snprintf(setup.sourceDirectory, sizeof setup.sourceDirectory, "%s", commandTail);
        return;
    }
    std::snprintf(setup.sourceDirectory, sizeof setup.sourceDirectory, "%s", ownPath);
    if (char* slash = std::strrchr(setup.sourceDirectory, '\\'))
        *slash = '\0';
}

void readScript()
{
    LPCSTR script = setup.scriptPath;
    setup.recordFlag = GetPrivateProfileIntA("SETUP", "UNSETUP", 1, script) != 0;
    GetPrivateProfileStringA("SETUP", "VERSION", "Install Program", setup.versionText, sizeof setup.versionText,
                             script);
    // A version text too long for the heading is cut with it.
    if (setup.versionText[0] &&
        std::snprintf(setup.heading, sizeof setup.heading, "Installation of %s", setup.versionText) < 0)
        setup.heading[0] = '\0';
    GetPrivateProfileStringA("SETUP", "TITLE", "Install Program", setup.dialogTitle, sizeof setup.dialogTitle,
                             script);
    setup.groupCount = static_cast<int>(GetPrivateProfileIntA("GROUP", "COUNT", 0, script));

    // Summed wide so that absurd counts cannot overflow; a negative total copies nothing.
    long long total = 0;
    for (int g = 0; g < setup.groupCount; ++g) {
        char section[32];
        std::snprintf(section, sizeof section, "GROUP%d", g);
        total += static_cast<int>(GetPrivateProfileIntA(section, "COUNT", 0, script));
        if (total > INT_MAX)
            total = INT_MAX;
    }
    setup.itemTotal = static_cast<int>(total);
}

BOOL registerMainClass(HINSTANCE instance)
{
    WNDCLASSA wc = {};
    wc.style = CS_HREDRAW | CS_VREDRAW;
    wc.lpfnWndProc = SetupWndProc;
    wc.hInstance = instance;
    wc.hIcon = LoadIconA(instance, "SetupICO");
    wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    wc.lpszClassName = kClassName;
    return RegisterClassA(&wc) != 0;
}

void requestRestart()
{
    if (setup.restartAnswer != 1)
        return;
    while (!ExitWindowsEx(static_cast<UINT>(setup.restartKind - 1), 0))
        MessageBoxA(nullptr, "Restart Window", "Setup Exit", MB_ICONSTOP);
}

// Starts the bootstrap from the source directory so that it deletes this program once it ends.
// A command line that would not fit is not started: a cut one would name another file.
void handOver(LPCSTR ownPath)
{
    char commandLine[256];
    int length = std::snprintf(commandLine, sizeof commandLine, "%s\\install.exe %s", setup.sourceDirectory, ownPath);
    if (length < 0 || length >= static_cast<int>(sizeof commandLine))
        return;
    WinExec(commandLine, SW_SHOWNORMAL);
}

}  // namespace

void centreOverMainWindow(HWND dialog)
{
    RECT client;
    RECT own;
    GetClientRect(setup.mainWindow, &client);
    GetWindowRect(dialog, &own);
    int x = ((client.right - client.left) - (own.right - own.left)) / 2;
    int y = ((client.bottom - client.top) - (own.bottom - own.top)) / 2;
    SetWindowPos(dialog, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
}

int runSetup(HINSTANCE instance, LPCSTR commandTail)
{
    setup = SetupState{};
    setup.instance = instance;
    setup.koreanMode = detectKoreanMode();

    char ownPath[256] = "";
    GetModuleFileNameA(nullptr, ownPath, sizeof ownPath);
    readCommandLine(commandTail, ownPath);

    // A longer program path is cut; the script is then not found and the defaults hold.
    if (std::snprintf(setup.setupDirectory, sizeof setup.setupDirectory, "%s", ownPath) < 0)
        setup.setupDirectory[0] = '\0';
    if (char* slash = std::strrchr(setup.setupDirectory, '\\'))
        *slash = '\0';
    std::snprintf(setup.scriptPath, sizeof setup.scriptPath, "%s\\_SETUP.INI", setup.setupDirectory);
    readScript();

    if (!registerMainClass(instance))
        return 0;
    HWND window = CreateWindowExA(0, kClassName, "", WS_POPUP | WS_BORDER | WS_SYSMENU | WS_MAXIMIZEBOX, 0, 0,
                                  GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN), nullptr, nullptr,
                                  instance, nullptr);
    if (!window) {
        UnregisterClassA(kClassName, instance);
        return 0;
    }
    ShowWindow(window, SW_SHOWNORMAL);
    UpdateWindow(window);

    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0)) {
        if (setup.progressWindow && IsWindow(setup.progressWindow) && IsDialogMessageA(setup.progressWindow, &msg))
            continue;
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    UnregisterClassA(kClassName, instance);

    requestRestart();
    handOver(ownPath);
    return 0;
}
