// The file-copy dialog: tests and creates the install path, then copies one file per timer tick,
// starting each group's program when the group begins and recording what it copied.
#include "actions/drawing.h"
#include "actions/fields.h"
#include "setup/setup_ids.h"
#include "setup/setup_state.h"
#include "win/codepage.h"
#include "win/dialog.h"
#include "win/gdi.h"
#include "win/kernel.h"
#include "win/lz.h"
#include "win/paint.h"
#include "win/profile.h"
#include "win/shell.h"
#include "win/user.h"

#include <cctype>
#include <cstdio>
#include <cstring>

namespace {

const UINT_PTR kCopyTimer = 1;
// The path test reads the current directory back into this many characters; a longer install
// path could never match and is refused outright rather than cut into another directory.
const size_t kPathTestCapacity = 128;

// Makes LEVEL current, creating it when needed; valid when it reads back as written.
BOOL enterLevel(LPCSTR level)
{
    if (!SetCurrentDirectoryA(level)) {
        if (!CreateDirectoryA(level, nullptr) || !SetCurrentDirectoryA(level))
            return FALSE;
    }
    char current[kPathTestCapacity];
    if (!GetCurrentDirectoryA(sizeof current, current))
        return FALSE;
    return lstrcmpiA(current, level) == 0;
}

// Every level of the install path below the drive root exists afterwards and the path is current.
BOOL makeInstallPath()
{
    if (std::strlen(setup.installPath) >= kPathTestCapacity)
        return FALSE;
    char path[kPathTestCapacity];
    std::strcpy(path, setup.installPath);

    if (path[0]) {
        char drive[3] = {static_cast<char>(std::toupper(static_cast<unsigned char>(path[0]))), ':', '\0'};
        SetCurrentDirectoryA(drive);
    }
    size_t length = std::strlen(path);
    for (size_t i = 3; i < length; ++i) {
        if (path[i] != '\\')
            continue;
        path[i] = '\0';
        BOOL entered = enterLevel(path);
        path[i] = '\\';
        if (!entered)
            return FALSE;
    }
    return enterLevel(path);
}

void writeRecord(LPCSTR section, LPCSTR key, LPCSTR value)
{
    if (setup.recordFlag)
        WritePrivateProfileStringA(section, key, value, setup.recordPath);
}

// The next group begins: its uninstall program is recorded, its program started, its count read.
void beginGroup()
{
    int g = setup.nextGroup;
    char section[32];
    std::snprintf(section, sizeof section, "GROUP%d", g);

    char unexec[128];
    GetPrivateProfileStringA(section, "UNEXEC", "", unexec, sizeof unexec, setup.scriptPath);
    if (unexec[0])
        writeRecord(section, "EXEC", unexec);

    char exec[128];
    GetPrivateProfileStringA(section, "EXEC", "", exec, sizeof exec, setup.scriptPath);
    LPCSTR cursor = exec;
    char location[128];
    char program[128];
    if (nextField(&cursor, location, sizeof location) && location[0] == '@') {
        nextField(&cursor, program, sizeof program);
        char base[MAX_PATH];
        if (LPCSTR directory = locationDirectory(location[1], TRUE, base, sizeof base))
            ShellExecuteA(nullptr, nullptr, program, "", directory, SW_SHOWNORMAL);
    }

    setup.groupItems = static_cast<int>(GetPrivateProfileIntA(section, "COUNT", 0, setup.scriptPath));
    char number[16];
    std::snprintf(number, sizeof number, "%d", setup.groupItems);
    writeRecord(section, "COUNT", number);

    setup.itemInGroup = 0;
    setup.nextGroup = g + 1;
}

// Fills the progress bar for K + 1 of the item total files.
void drawProgress(HWND dialog, int k)
{
    RECT bar;
    GetWindowRect(GetDlgItem(dialog, IDC_PROGRESS), &bar);
    POINT corners[2] = {{bar.left, bar.top}, {bar.right, bar.bottom}};
    ScreenToClient(dialog, &corners[0]);
    ScreenToClient(dialog, &corners[1]);
    bar = RECT{corners[0].x, corners[0].y, corners[1].x, corners[1].y};

    HDC dc = GetDC(dialog);
    RECT inside = {bar.left + 1, bar.top + 1, bar.right - 1, bar.bottom - 1};
    FillRect(dc, &inside, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    RECT done = inside;
    done.right = bar.left + 1 + static_cast<LONG>(static_cast<long long>(bar.right - 1 - (bar.left + 1)) * (k + 1) /
                                                  setup.itemTotal);
    FillRect(dc, &done, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));

    char percent[16];
    std::snprintf(percent, sizeof percent, "%d %%", static_cast<int>((k + 1) * 100LL / setup.itemTotal));
    RECT text = {bar.left + 1, bar.top + 3, bar.right - 1, bar.bottom - 1};
    SetTextColor(dc, RGB(255, 0, 255));
    SetBkMode(dc, TRANSPARENT);
    DrawTextA(dc, percent, -1, &text, DT_CENTER);
    ReleaseDC(dialog, dc);
}

BOOL joinPath(LPSTR result, size_t capacity, LPCSTR directory, LPCSTR path)
{
    int length = std::snprintf(result, capacity, "%s\\%s", directory, path);
    return length > 0 && static_cast<size_t>(length) < capacity;
}

// Copies file ITEMj of the current group, expanding it when compressed, and records it.
BOOL copyOneFile(HWND dialog)
{
    int g = setup.nextGroup - 1;
    int j = setup.itemInGroup;
    char section[32];
    char key[32];
    std::snprintf(section, sizeof section, "GROUP%d", g);
    std::snprintf(key, sizeof key, "ITEM%d", j);
    char item[128];
    GetPrivateProfileStringA(section, key, "", item, sizeof item, setup.scriptPath);
    if (item[0] != '@')
        return FALSE;

    LPCSTR cursor = item;
    char location[128] = "";
    char from[128] = "";
    char to[128] = "";
    nextField(&cursor, location, sizeof location);
    nextField(&cursor, from, sizeof from);
    nextField(&cursor, to, sizeof to);

    char source[256] = "";
    char destination[256] = "";
    char base[MAX_PATH];
    if (LPCSTR directory = locationDirectory(location[1], FALSE, base, sizeof base)) {
        if (!joinPath(source, sizeof source, setup.sourceDirectory, from) ||
            !joinPath(destination, sizeof destination, directory, to))
            return FALSE;
    }
    SetDlgItemTextA(dialog, IDC_SOURCE, source);
    SetDlgItemTextA(dialog, IDC_DESTINATION, destination);
    SetDlgItemTextA(dialog, IDC_ACTION, "Reading...");

    // The destination is created only once the source is open, so that a missing source does not
    // empty an existing file of the destination's name.
    OFSTRUCT sourceInfo = {};
    OFSTRUCT destinationInfo = {};
    INT input = LZOpenFileA(source, &sourceInfo, OF_READ);
    if (input < 0)
        return FALSE;
    INT output = LZOpenFileA(destination, &destinationInfo, OF_CREATE);
    if (output < 0) {
        LZClose(input);
        return FALSE;
    }
    SetDlgItemTextA(dialog, IDC_ACTION, "Writing...");
    LONG copied = CopyLZFile(input, output);
    LZClose(input);
    LZClose(output);
    if (copied < 0)
        return FALSE;

    char recorded[160];
    std::snprintf(recorded, sizeof recorded, "%c%c,%s", location[0], location[1], to);
    writeRecord(section, key, recorded);
    drawProgress(dialog, setup.itemIndex);
    return TRUE;
}

void onTick(HWND dialog)
{
    if (setup.busy)
        return;
    if (setup.itemInGroup == setup.groupItems) {
        beginGroup();
        // An empty group with files still to come is passed over: the next one begins at once.
        while (setup.groupItems == 0 && setup.itemIndex < setup.itemTotal && setup.nextGroup < setup.groupCount)
            beginGroup();
    }
    if (setup.itemIndex < setup.itemTotal) {
        setup.busy = TRUE;
        if (copyOneFile(dialog)) {
            setup.busy = FALSE;
            ++setup.itemIndex;
            ++setup.itemInGroup;
        } else {
            setup.busy = FALSE;
            KillTimer(dialog, kCopyTimer);
            MessageBoxA(dialog, "Error File Copy !\r\nExit Setup !", "Setup Error", MB_ICONEXCLAMATION);
            SendMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
        }
    } else {
        KillTimer(dialog, kCopyTimer);
        SendMessageA(dialog, WM_COMMAND, IDOK, 0);
    }
}

}  // namespace

INT_PTR CALLBACK FileCopyDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_INITDIALOG:
        centreOverMainWindow(dialog);
        if (!makeInstallPath()) {
            EndDialog(dialog, RESULT_INVALID_PATH);
            return TRUE;
        }
        LZStart();
        SetTimer(dialog, kCopyTimer, 100, nullptr);
        SetDlgItemTextA(dialog, IDC_TITLE, setup.dialogTitle);
        setup.groupItems = 0;
        setup.itemInGroup = 0;
        return TRUE;
    case WM_TIMER:
        onTick(dialog);
        return TRUE;
    case WM_PAINT: {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(dialog, &ps);
        drawDialogFrame(dialog, dc);
        EndPaint(dialog, &ps);
        return TRUE;
    }
    case WM_COMMAND:
        switch (LOWORD(wParam)) {
        case IDOK:
        case IDCANCEL:
            KillTimer(dialog, kCopyTimer);
            LZDone();
            EndDialog(dialog, LOWORD(wParam));
            return TRUE;
        default:
            return FALSE;
        }
    case WM_CLOSE:
        KillTimer(dialog, kCopyTimer);
        SendMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
        return TRUE;
    default:
        return FALSE;
    }
}
