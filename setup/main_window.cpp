// The full-screen main window: the heading, and the steps of the installation as commands that
// the window posts to itself.
#include "actions/drawing.h"
#include "actions/profile_actions.h"
#include "actions/progman_script.h"
#include "actions/progress_window.h"
#include "actions/registry_actions.h"
#include "actions/utilities.h"
#include "setup/setup_ids.h"
#include "setup/setup_state.h"
#include "win/dialog.h"
#include "win/gdi.h"
#include "win/kernel.h"
#include "win/paint.h"
#include "win/profile.h"
#include "win/user.h"

#include <cstdio>
#include <cstring>

namespace {

void postStep(HWND window, int command)
{
    PostMessageA(window, WM_COMMAND, command, 0);
}

void onCreate(HWND window)
{
    setup.mainWindow = window;
    GetCurrentDirectoryA(sizeof setup.startDirectory, setup.startDirectory);

    int screenWidth = GetSystemMetrics(SM_CXSCREEN);
    int height = screenWidth >= 1024 ? 36 : screenWidth >= 800 ? 30 : 24;
    setup.headingFont = CreateFontA(height, height / 2, 0, 0, FW_BOLD, TRUE, 0, 0, 0, 0, 0, 0, 0, "Arial");

    HDC dc = GetDC(window);
    setup.widestCharacter = static_cast<int>(measureFont(dc, setup.headingFont) & 0xFFFF);
    ReleaseDC(window, dc);

    GetPrivateProfileStringA("GROUP", "PATH", "C:\\TAVEL", setup.installPath, sizeof setup.installPath,
                             setup.scriptPath);
    postStep(window, CMD_DESTINATION);
}

// The background, and the heading three times: a black shadow, a green middle and yellow on top.
void onPaint(HWND window)
{
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(window, &ps);
    RECT client;
    GetClientRect(window, &client);

    HBRUSH background = CreateSolidBrush(RGB(0, 128, 128));
    FillRect(dc, &client, background);
    DeleteObject(background);

    int y = ((GetSystemMetrics(SM_CYSCREEN) - 300) / 2) / 2 - setup.widestCharacter / 2 + client.top;
    if (y < 0)
        y = 0;
    HGDIOBJ previousFont = SelectObject(dc, setup.headingFont);
    int previousMode = SetBkMode(dc, TRANSPARENT);
    struct Layer {
        int dx, dy;
        COLORREF color;
    };
    const Layer layers[] = {{50, 2, RGB(0, 0, 0)}, {48, 0, RGB(0, 128, 0)}, {46, -2, RGB(255, 255, 0)}};
    int length = static_cast<int>(std::strlen(setup.heading));
    for (const Layer& layer : layers) {
        SetTextColor(dc, layer.color);
        TextOutA(dc, client.left + layer.dx, y + layer.dy, setup.heading, length);
    }
    SetBkMode(dc, previousMode);
    SelectObject(dc, previousFont);
    EndPaint(window, &ps);
}

LPCSTR restartTemplate()
{
    switch (setup.restartKind) {
    case 1: return "LOGOFFDLG";
    case 2: return "SHUTDOWNDLG";
    case 3: return "REBOOTDLG";
    case 5: return "FORCEDLG";
    case 9: return "POWEROFFDLG";
    default:
        // A kind without a dialog of its own is offered as a reboot.
        setup.restartKind = 3;
        return "EXITDLG";
    }
}

void onStep(HWND window, int command)
{
    SetupActionContext context;
    switch (command) {
    case CMD_DESTINATION: {
        INT_PTR result = DialogBoxParamA(setup.instance, setup.koreanMode ? "HEXECPATH" : "EXECPATH", window,
                                         ExecPathDlgProc, 0);
        if (result == IDCANCEL)
            DestroyWindow(window);
        else
            postStep(window, CMD_FILECOPY);
        break;
    }
    case CMD_FILECOPY: {
        INT_PTR result = DialogBoxParamA(setup.instance, "FILECOPY", window, FileCopyDlgProc, 0);
        if (result == RESULT_INVALID_PATH) {
            MessageBoxA(window, "The path name is invalid. Please modify the path name !", "Setup Error",
                        MB_ICONSTOP);
            SendMessageA(window, WM_COMMAND, CMD_DESTINATION, 0);
        } else if (result == IDCANCEL) {
            DestroyWindow(window);
        } else {
            postStep(window, CMD_DELETIONS);
        }
        break;
    }
    case CMD_DELETIONS:
        deleteListedFiles();
        postStep(window, CMD_PROGRAM_GROUP);
        break;
    case CMD_PROGRAM_GROUP:
        if (writeProgmanScript(context, ACTION_INSTALL, setup.scriptPath, setup.recordPath))
            startCommandScript(&setup.progressWindow, ACTION_INSTALL, setup.instance, window, setup.setupDirectory);
        else
            postStep(window, CMD_ACTIONS);
        break;
    case CMD_ACTIONS:
        applyRegistrySection(context, ACTION_INSTALL, setup.scriptPath, setup.recordPath);
        applyProfileSection(context, ACTION_INSTALL, setup.scriptPath, setup.recordPath);
        setup.restartKind = static_cast<int>(GetPrivateProfileIntA("SETUP", "BOOT", 0, setup.scriptPath));
        if (setup.restartKind != 0) {
            SetFocus(window);
            postStep(window, CMD_RESTART);
        } else {
            postStep(window, CMD_FINISH);
        }
        break;
    case CMD_RESTART:
        setup.restartAnswer = DialogBoxParamA(setup.instance, restartTemplate(), window, RestartDlgProc, 0);
        postStep(window, CMD_FINISH);
        break;
    case CMD_FINISH:
        setup.finished = TRUE;
        DestroyWindow(window);
        break;
    default:
        break;
    }
}

// The closing keys of the record. BOOT says whether the uninstall program is to offer a restart:
// so when this script asked for one, or an earlier installation recorded it.
void writeClosingKeys()
{
    LPCSTR record = setup.recordPath;
    char number[16];
    std::snprintf(number, sizeof number, "%d", setup.groupCount);
    WritePrivateProfileStringA("GROUP", "COUNT", number, record);
    WritePrivateProfileStringA("SETUP", "VERSION", setup.versionText, record);
    WritePrivateProfileStringA("SETUP", "TITLE", setup.dialogTitle, record);
    WritePrivateProfileStringA("GROUP", "NAME", setup.groupName, record);
    WritePrivateProfileStringA("GROUP", "PATH", setup.installPath, record);
    BOOL restart = setup.restartKind != 0 || GetPrivateProfileIntA("SETUP", "BOOT", 0, record) != 0;
    WritePrivateProfileStringA("SETUP", "BOOT", restart ? "1" : "0", record);
}

void onDestroy()
{
    char drive[3] = {setup.startDirectory[0], ':', '\0'};
    SetCurrentDirectoryA(drive);
    SetCurrentDirectoryA(setup.startDirectory);

    DeleteObject(setup.headingFont);
    setup.headingFont = nullptr;

    char commandScript[160];
    std::snprintf(commandScript, sizeof commandScript, "%s\\WININST.INF", setup.setupDirectory);
    deleteFileQuietly(setup.scriptPath);
    deleteFileQuietly(commandScript);
    removeDirectoryChain(setup.setupDirectory);

    if (setup.finished && setup.recordFlag)
        writeClosingKeys();
    PostQuitMessage(0);
}

}  // namespace

LRESULT CALLBACK SetupWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_CREATE:
        onCreate(window);
        return 0;
    case WM_PAINT:
        onPaint(window);
        return 0;
    case WM_COMMAND:
        onStep(window, LOWORD(wParam));
        return 0;
    case WM_SCRIPT_FINISHED:
        postStep(window, CMD_ACTIONS);
        return 0;
    case WM_DESTROY:
        onDestroy();
        return 0;
    default:
        return DefWindowProcA(window, message, wParam, lParam);
    }
}
