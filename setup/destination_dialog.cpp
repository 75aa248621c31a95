// The destination dialog: the install path and the Program Manager group name.
#include "actions/drawing.h"
#include "setup/setup_ids.h"
#include "setup/setup_state.h"
#include "win/dialog.h"
#include "win/paint.h"
#include "win/profile.h"
#include "win/user.h"

#include <cstdio>

INT_PTR CALLBACK ExecPathDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_INITDIALOG:
        centreOverMainWindow(dialog);
        SetDlgItemTextA(dialog, IDC_TITLE, setup.dialogTitle);
        SetDlgItemTextA(dialog, IDC_PATH, setup.installPath);
        // The script's group name at every opening: an earlier entry is not kept.
        GetPrivateProfileStringA("GROUP", "NAME", "Tavel Application", setup.groupName, sizeof setup.groupName,
                                 setup.scriptPath);
        SetDlgItemTextA(dialog, IDC_GROUP, setup.groupName);
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
            GetDlgItemTextA(dialog, IDC_PATH, setup.installPath, sizeof setup.installPath);
            GetDlgItemTextA(dialog, IDC_GROUP, setup.groupName, sizeof setup.groupName);
            // An install path too long for this is refused by the copy step before anything is recorded.
            if (std::snprintf(setup.recordPath, sizeof setup.recordPath, "%s\\_UNSETUP.INI", setup.installPath) < 0)
                setup.recordPath[0] = '\0';
            EndDialog(dialog, IDOK);
            return TRUE;
        case IDCANCEL:
            EndDialog(dialog, IDCANCEL);
            return TRUE;
        default:
            return FALSE;
        }
    case WM_CLOSE:
        SendMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
        return TRUE;
    default:
        return FALSE;
    }
}
