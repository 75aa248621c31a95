// The restart dialogs: one form for every restart kind, Yes ends with 1, No with 2.
#include "actions/drawing.h"
#include "setup/setup_state.h"
#include "win/dialog.h"
#include "win/gdi.h"
#include "win/paint.h"
#include "win/resource.h"
#include "win/user.h"

INT_PTR CALLBACK RestartDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_INITDIALOG:
        centreOverMainWindow(dialog);
        BringWindowToTop(setup.mainWindow);
        return TRUE;
    case WM_PAINT: {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(dialog, &ps);
        drawDialogFrame(dialog, dc);
        DrawIcon(dc, 18, 30, LoadIconA(setup.instance, "SetupICO"));
        EndPaint(dialog, &ps);
        return TRUE;
    }
    case WM_COMMAND:
        switch (LOWORD(wParam)) {
        case IDOK:
            EndDialog(dialog, IDOK);
            return TRUE;
        case IDCANCEL:
            EndDialog(dialog, IDCANCEL);
            return TRUE;
        default:
            return FALSE;
        }
    case WM_CLOSE:
        EndDialog(dialog, IDCANCEL);
        return TRUE;
    default:
        return FALSE;
    }
}
