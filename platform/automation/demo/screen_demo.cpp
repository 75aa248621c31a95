// A program to watch and drive from outside: a full-screen window, the path dialog over it and a
// message box over both. It ends when the dialog is answered.
#include "win/dialog.h"
#include "win/paint.h"
#include "win/process.h"

namespace {

HWND gMain = nullptr;
HWND gDialog = nullptr;

LRESULT CALLBACK mainProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_PAINT: {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(window, &ps);
        HFONT font = CreateFontA(-24, 0, 0, 0, FW_BOLD, 0, 0, 0, 0, 0, 0, 0, 0, "Arial");
        HGDIOBJ old = SelectObject(dc, font);
        SetBkMode(dc, TRANSPARENT);
        SetTextColor(dc, RGB(255, 255, 255));
        TextOutA(dc, 20, 20, "Screen demo", 11);
        SelectObject(dc, old);
        DeleteObject(font);
        EndPaint(window, &ps);
        return 0;
    }
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

INT_PTR CALLBACK pathProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
    switch (message) {
    case WM_INITDIALOG:
        SetDlgItemTextA(dialog, 111, "C:\\KIT");
        return TRUE;
    case WM_COMMAND:
        if (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL) {
            DestroyWindow(dialog);
            gDialog = nullptr;
            DestroyWindow(gMain);
        }
        return TRUE;
    }
    return FALSE;
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    WNDCLASSA wc{};
    wc.lpfnWndProc = mainProc;
    wc.hInstance = instance;
    wc.hbrBackground = CreateSolidBrush(RGB(0, 0, 128));
    wc.lpszClassName = "ScreenDemo";
    RegisterClassA(&wc);
    gMain = CreateWindowExA(0, "ScreenDemo", "Screen demo", WS_POPUP | WS_VISIBLE, 0, 0, GetSystemMetrics(SM_CXSCREEN),
                            GetSystemMetrics(SM_CYSCREEN), nullptr, nullptr, instance, nullptr);
    UpdateWindow(gMain);
    gDialog = CreateDialogParamA(instance, "EXECPATH", gMain, pathProc, 0);
    RECT r;
    GetWindowRect(gDialog, &r);
    SetWindowPos(gDialog, nullptr, 60, 80, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    ShowWindow(gDialog, SW_SHOW);
    MessageBoxA(gMain, "Cannot copy the file.\r\nThe disk is full.", "Setup Error", MB_OK | MB_ICONEXCLAMATION);
    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0)) {
        if (gDialog && IsDialogMessageA(gDialog, &msg)) continue;
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    return 0;
}
