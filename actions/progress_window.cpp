#include "actions/progress_window.h"

#include "actions/command_script.h"
#include "actions/dde_engine.h"
#include "actions/drawing.h"
#include "actions/utilities.h"
#include "win/codepage.h"
#include "win/dialog.h"
#include "win/gdi.h"
#include "win/kernel.h"
#include "win/memory.h"
#include "win/paint.h"

#include <cstdio>
#include <cstring>

#define ACTION_INSTALL_MODE 1
#define NOTICE_BITMAP_ID 1000
#define NOTICE_BITMAP_SIZE 32

ProgressState progressState;

// The notices, with their blanks. The Korean ones are in code page 949.
static const char installNotice[] = " Creating program group and items. Please Wait. ";
static const char removeNotice[] = " Deleting program group and items. Please Wait. ";
// "    아이템을 등록하는 중입니다. 기다려 주십시오.    "
static const char installNoticeKorean[] =
    "    \xBE\xC6\xC0\xCC\xC5\xDB\xC0\xBB \xB5\xEE\xB7\xCF\xC7\xCF\xB4\xC2 \xC1\xDF\xC0\xD4\xB4\xCF\xB4\xD9. "
    "\xB1\xE2\xB4\xD9\xB7\xC1 \xC1\xD6\xBD\xCA\xBD\xC3\xBF\xC0.    ";
// " 아이템을 제거하는 중입니다. 기다려 주십시오. "
static const char removeNoticeKorean[] =
    " \xBE\xC6\xC0\xCC\xC5\xDB\xC0\xBB \xC1\xA6\xB0\xC5\xC7\xCF\xB4\xC2 \xC1\xDF\xC0\xD4\xB4\xCF\xB4\xD9. "
    "\xB1\xE2\xB4\xD9\xB7\xC1 \xC1\xD6\xBD\xCA\xBD\xC3\xBF\xC0. ";

int startCommandScript(HWND* slot, int mode, HINSTANCE instance, HWND owner, LPCSTR scriptDirectory)
{
    BOOL korean = detectKoreanMode();
    BOOL install = mode == ACTION_INSTALL_MODE;
    progressState.instance = instance;
    lstrcpynA(progressState.scriptDirectory, scriptDirectory, sizeof progressState.scriptDirectory);
    progressState.owner = owner;
    progressState.endMessage = install ? WM_SETUP_SCRIPT_DONE : WM_UNSETUP_SCRIPT_DONE;
    progressState.drawsBitmap = install;
    if (install)
        lstrcpynA(progressState.notice, korean ? installNoticeKorean : installNotice, sizeof progressState.notice);
    else
        lstrcpynA(progressState.notice, korean ? removeNoticeKorean : removeNotice, sizeof progressState.notice);

    *slot = CreateDialogParamA(instance, korean ? "HInstDosWinClass" : "InstDosWinClass", nullptr,
                               progressWindowProc, 0);
    if (*slot == nullptr) {
        // No window will ever post the end message the caller waits for: post it now.
        PostMessageA(owner, progressState.endMessage, 0, 0);
        return 1;
    }
    return 0;
}

static void startStepTimer(HWND window)
{
    if (progressState.stepTimer != 0)
        return;
    progressState.stepTimer = SetTimer(window, STEP_TIMER_ID, STEP_PERIOD, nullptr);
    progressState.savedCursor = SetCursor(LoadCursorA(nullptr, IDC_WAIT));
    ShowCursor(TRUE);
}

static void stopStepTimer(HWND window)
{
    if (progressState.stepTimer == 0)
        return;
    KillTimer(window, progressState.stepTimer);
    progressState.stepTimer = 0;
    ShowCursor(FALSE);
    SetCursor(progressState.savedCursor);
}

// Appends the lines of TEXT (LENGTH bytes) to LIST. FALSE at the first line that is longer than
// a script line may be or holds a zero byte: it would run cut.
static BOOL appendScriptLines(HWND list, LPSTR text, DWORD length)
{
    DWORD position = 0;
    while (position < length) {
        LPSTR line = text + position;
        DWORD end = position;
        while (end < length && text[end] != '\r')
            ++end;
        if (end - position > SCRIPT_LINE_MAX || std::memchr(line, '\0', end - position) != nullptr)
            return FALSE;
        // CR and the one character after it end the line.
        position = end < length ? end + 2 : end;
        text[end] = '\0';

        char converted[SCRIPT_LINE_MAX + 1];
        OemToCharA(line, converted);
        SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(converted));
    }
    return TRUE;
}

BOOL loadCommandScript(HWND window)
{
    HWND list = GetDlgItem(window, IDC_SCRIPT_LINES);
    SendMessageA(list, LB_RESETCONTENT, 0, 0);

    char path[MAX_PATH];
    int pathLength = std::snprintf(path, sizeof path, "%s\\WININST.INF", progressState.scriptDirectory);
    if (pathLength < 0 || static_cast<size_t>(pathLength) >= sizeof path)
        return FALSE;
    // Critical errors fail quietly while the script loads; the missing-file box still asks.
    SetErrorMode(SEM_FAILCRITICALERRORS);
    OFSTRUCT reopen;
    HFILE file = OpenFile(path, &reopen, OF_READ | OF_PROMPT);
    if (file == HFILE_ERROR) {
        SetErrorMode(0);
        return FALSE;
    }

    BOOL loaded = FALSE;
    LONG length = _llseek(file, 0, FILE_END);
    _llseek(file, 0, FILE_BEGIN);
    // One byte more than the file, zero: the end of the last line.
    HGLOBAL memory = length < 0 ? nullptr : GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, static_cast<SIZE_T>(length) + 1);
    LPSTR text = memory ? static_cast<LPSTR>(GlobalLock(memory)) : nullptr;
    if (text != nullptr) {
        // Read whole, whatever the size: a script is never run in part.
        UINT read = _lread(file, text, static_cast<UINT>(length));
        loaded = read == static_cast<UINT>(length) && appendScriptLines(list, text, static_cast<DWORD>(length));
        if (!loaded)
            SendMessageA(list, LB_RESETCONTENT, 0, 0);
        else
            SendMessageA(list, LB_SETCURSEL, 0, 0);
        GlobalUnlock(memory);
    }
    if (memory)
        GlobalFree(memory);
    _lclose(file);
    SetErrorMode(0);
    return loaded;
}

void stepCommandScript(HWND window)
{
    HWND list = GetDlgItem(window, IDC_SCRIPT_LINES);
    LRESULT selection = SendMessageA(list, LB_GETCURSEL, 0, 0);
    // No line selected: nothing (more) to run, so the run is over.
    if (selection == LB_ERR) {
        stopStepTimer(window);
        DestroyWindow(window);
        return;
    }
    char line[SCRIPT_LINE_MAX + 1];
    SendMessageA(list, LB_GETTEXT, static_cast<WPARAM>(selection), reinterpret_cast<LPARAM>(line));
    runScriptLine(window, line);

    if (selection + 1 < SendMessageA(list, LB_GETCOUNT, 0, 0)) {
        SendMessageA(list, LB_SETCURSEL, static_cast<WPARAM>(selection + 1), 0);
        return;
    }
    stopStepTimer(window);
    DestroyWindow(window);
}

static void centreOnScreen(HWND window)
{
    RECT rect;
    GetWindowRect(window, &rect);
    int width = rect.right - rect.left;
    int height = rect.bottom - rect.top;
    SetWindowPos(window, nullptr, GetSystemMetrics(SM_CXSCREEN) / 2 - width / 2,
                 GetSystemMetrics(SM_CYSCREEN) / 2 - height / 2, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
}

static void drawNoticeBitmap(HDC dc, const RECT& client)
{
    HBITMAP bitmap = loadBitmapResource(progressState.instance, dc, NOTICE_BITMAP_ID);
    if (bitmap == nullptr)
        return;
    HDC source = CreateCompatibleDC(dc);
    HGDIOBJ previous = SelectObject(source, bitmap);
    BitBlt(dc, client.left + 16, client.top + (client.bottom - client.top - 31) / 2, NOTICE_BITMAP_SIZE,
           NOTICE_BITMAP_SIZE, source, 0, 0, SRCCOPY);
    SelectObject(source, previous);
    DeleteDC(source);
    DeleteObject(bitmap);
}

static void paintNotice(HWND window)
{
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(window, &paint);
    RECT client;
    GetClientRect(window, &client);
    int width = client.right - client.left;
    int height = client.bottom - client.top;
    FillRect(dc, &client, static_cast<HBRUSH>(GetStockObject(LTGRAY_BRUSH)));
    draw3dFrame(dc, client.left, client.top, width - 1, height - 1, -1);
    SetBkMode(dc, TRANSPARENT);
    int length = lstrlenA(progressState.notice);
    SIZE text;
    GetTextExtentPoint32A(dc, progressState.notice, length, &text);
    TextOutA(dc, client.left + (width - text.cx) / 2, client.top + (height - text.cy) / 2, progressState.notice,
             length);
    if (progressState.drawsBitmap)
        drawNoticeBitmap(dc, client);
    EndPaint(window, &paint);
}

INT_PTR CALLBACK progressWindowProc(HWND window, UINT message, WPARAM, LPARAM)
{
    switch (message) {
    case WM_INITDIALOG:
        centreOnScreen(window);
        removeRunEntry(progressState.instance);
        BringWindowToTop(window);
        PostMessageA(window, WM_START_SCRIPT, 0, 0);
        return 0;
    case WM_START_SCRIPT:
        createDdeWindow(window, progressState.instance);
        if (!loadCommandScript(window))
            PostMessageA(window, WM_CLOSE, 0, 0);
        startStepTimer(window);
        return 0;
    case WM_TIMER:
        stepCommandScript(window);
        return 0;
    case WM_PAINT:
        paintNotice(window);
        return 0;
    case WM_CLOSE:
        DestroyWindow(window);
        return TRUE;
    case WM_DESTROY:
        // Also when the window goes before its last line: the busy cursor must not stay.
        stopStepTimer(window);
        SetActiveWindow(progressState.owner);
        PostMessageA(progressState.owner, progressState.endMessage, 0, 0);
        return 0;
    }
    return FALSE;
}
