// The platform's default handling of window messages.
#include "user/dispatch.h"
#include "user/link.h"
#include "user/tables.h"
#include "win/gdi.h"

#include <algorithm>
#include <cstring>

using namespace platform::user;

LRESULT WINAPI DefWindowProcA(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    Window* w = localWindow(window);
    if (!w) return 0;
    switch (message) {
    case WM_NCCREATE:
        return TRUE;
    case WM_CLOSE:
        DestroyWindow(window);
        return 0;
    case WM_SYSCOMMAND:
        switch (wParam & 0xFFF0) {
        case SC_CLOSE: SendMessageA(window, WM_CLOSE, 0, 0); break;
        case SC_MINIMIZE: ShowWindow(window, SW_MINIMIZE); break;
        case SC_MAXIMIZE: ShowWindow(window, SW_MAXIMIZE); break;
        case SC_RESTORE: ShowWindow(window, SW_RESTORE); break;
        }
        return 0;
    case WM_SETTEXT:
        w->title = lParam ? reinterpret_cast<LPCSTR>(lParam) : "";
        link::publish(*w);
        if (windowEvents().changed) windowEvents().changed(*w);
        return TRUE;
    case WM_GETTEXT: {
        if (wParam == 0 || !lParam) return 0;
        std::size_t n = std::min(w->title.size(), static_cast<std::size_t>(wParam - 1));
        std::memcpy(reinterpret_cast<char*>(lParam), w->title.data(), n);
        reinterpret_cast<char*>(lParam)[n] = 0;
        return static_cast<LRESULT>(n);
    }
    case WM_GETTEXTLENGTH:
        return static_cast<LRESULT>(w->title.size());
    case WM_PAINT:
        if (windowEvents().paint) windowEvents().paint(window);
        else validate(window);
        return 0;
    case WM_ERASEBKGND: {
        // The class brush fills the client area; a class without one leaves it to WM_PAINT.
        if (!w->windowClass->background || !wParam) return 0;
        RECT client;
        GetClientRect(window, &client);
        FillRect(reinterpret_cast<HDC>(wParam), &client, w->windowClass->background);
        return 1;
    }
    case WM_ACTIVATE:
        if (LOWORD(wParam) != WA_INACTIVE && !HIWORD(wParam)) {
            HWND focus = GetFocus();
            if (focus != window && !IsChild(window, focus)) SetFocus(window);
        }
        return 0;
    case WM_QUERYENDSESSION:
    case WM_QUERYOPEN:
        return TRUE;
    }
    return 0;
}
