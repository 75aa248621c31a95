// Showing, placing, ordering and activating windows; the screen's metrics.
#include "kernel/pc.h"
#include "user/dispatch.h"
#include "user/link.h"
#include "user/tables.h"
#include "win/kernel.h"

#include <algorithm>

namespace platform::user {
namespace {

int clientWidth(const Window& w) {
    RECT i = frameInsets(w.style, w.exStyle);
    return std::max(0, static_cast<int>(w.rect.right - w.rect.left - i.left - i.right));
}
int clientHeight(const Window& w) {
    RECT i = frameInsets(w.style, w.exStyle);
    return std::max(0, static_cast<int>(w.rect.bottom - w.rect.top - i.top - i.bottom));
}

void changed(Window& w) {
    link::publish(w);
    if (windowEvents().changed) windowEvents().changed(w);
}

void sendSize(HWND h, WPARAM kind) {
    if (Window* w = localWindow(h)) callWindow(h, WM_SIZE, kind, MAKELPARAM(clientWidth(*w), clientHeight(*w)));
}

// Makes the window visible (WM_SHOWWINDOW first); false when it was already.
bool reveal(HWND h) {
    Window* w = localWindow(h);
    if (!w || w->visible()) return false;
    callWindow(h, WM_SHOWWINDOW, TRUE, 0);
    if ((w = localWindow(h)) == nullptr) return false;
    w->style |= WS_VISIBLE;
    invalidate(h);
    changed(*w);
    return true;
}

void conceal(HWND h) {
    Window* w = localWindow(h);
    if (!w || !w->visible()) return;
    callWindow(h, WM_SHOWWINDOW, FALSE, 0);
    if ((w = localWindow(h)) == nullptr) return;
    w->style &= ~static_cast<DWORD>(WS_VISIBLE);
    changed(*w);
    if (GetActiveWindow() == h) {
        std::lock_guard guard(queueLock());
        tables().active = nullptr;
    }
}

void raiseInOrder(Window& w) {
    if (w.isChild()) {
        if (Window* parent = localWindow(w.parent)) {
            std::erase(parent->children, w.handle);
            parent->children.insert(parent->children.begin(), w.handle);
        }
    } else {
        link::raise(w.handle);
    }
}

void leaveMinMax(Window& w) {
    if (w.style & (WS_MINIMIZE | WS_MAXIMIZE)) {
        w.style &= ~static_cast<DWORD>(WS_MINIMIZE | WS_MAXIMIZE);
        w.rect = w.restoreRect;
    }
}

}  // namespace

void activate(HWND h) {
    HWND old;
    {
        std::lock_guard guard(queueLock());
        old = tables().active;
        if (old == h) return;
        tables().active = h;
    }
    if (old && localWindow(old)) callWindow(old, WM_ACTIVATE, WA_INACTIVE, reinterpret_cast<LPARAM>(h));
    if (!h) return;
    Window* w = localWindow(h);
    if (!w) return;
    raiseInOrder(*w);
    bool minimized = (w->style & WS_MINIMIZE) != 0;
    callWindow(h, WM_ACTIVATE, MAKEWPARAM(WA_ACTIVE, minimized ? 1 : 0), reinterpret_cast<LPARAM>(old));
}

}  // namespace platform::user

using namespace platform::user;

BOOL WINAPI ShowWindow(HWND h, int command) {
    Window* w = localWindow(h);
    if (!w) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return FALSE;
    }
    BOOL wasVisible = w->visible();
    bool topLevel = !w->isChild();
    switch (command) {
    case SW_HIDE:
        conceal(h);
        break;
    case SW_MINIMIZE:
    case SW_SHOWMINIMIZED:
    case SW_SHOWMINNOACTIVE:
        if (!(w->style & WS_MINIMIZE)) {
            if (!(w->style & WS_MAXIMIZE)) w->restoreRect = w->rect;
            w->style = (w->style & ~static_cast<DWORD>(WS_MAXIMIZE)) | WS_MINIMIZE;
            reveal(h);
            sendSize(h, SIZE_MINIMIZED);
            if ((w = localWindow(h))) changed(*w);
        } else {
            reveal(h);
        }
        if (command == SW_SHOWMINIMIZED && topLevel) activate(h);
        if (command != SW_SHOWMINIMIZED && GetActiveWindow() == h) {
            std::lock_guard guard(queueLock());
            tables().active = nullptr;
        }
        break;
    case SW_MAXIMIZE: {
        if (!(w->style & (WS_MINIMIZE | WS_MAXIMIZE))) w->restoreRect = w->rect;
        w->style = (w->style & ~static_cast<DWORD>(WS_MINIMIZE)) | WS_MAXIMIZE;
        RECT i = frameInsets(w->style, w->exStyle);
        w->rect = RECT{-i.left, -i.left, GetSystemMetrics(SM_CXSCREEN) + i.right, GetSystemMetrics(SM_CYSCREEN) + i.bottom};
        reveal(h);
        sendSize(h, SIZE_MAXIMIZED);
        if ((w = localWindow(h))) changed(*w);
        if (topLevel) activate(h);
        break;
    }
    case SW_SHOWNORMAL:
    case SW_RESTORE:
    case SW_SHOWDEFAULT:
        if (w->style & (WS_MINIMIZE | WS_MAXIMIZE)) {
            leaveMinMax(*w);
            reveal(h);
            sendSize(h, SIZE_RESTORED);
            if ((w = localWindow(h))) changed(*w);
        } else {
            reveal(h);
        }
        if (topLevel) activate(h);
        break;
    case SW_SHOW:
        reveal(h);
        if (topLevel) activate(h);
        break;
    case SW_SHOWNOACTIVATE:
        if (w->style & (WS_MINIMIZE | WS_MAXIMIZE)) {
            leaveMinMax(*w);
            sendSize(h, SIZE_RESTORED);
        }
        reveal(h);
        break;
    case SW_SHOWNA:
        reveal(h);
        break;
    default:
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    return wasVisible;
}

BOOL WINAPI UpdateWindow(HWND h) {
    Window* w = localWindow(h);
    if (!w) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return FALSE;
    }
    if (w->needsPaint && IsWindowVisible(h)) callWindow(h, WM_PAINT, 0, 0);
    if ((w = localWindow(h))) {
        std::vector<HWND> children = w->children;
        for (HWND child : children) UpdateWindow(child);
    }
    return TRUE;
}

BOOL WINAPI InvalidateRect(HWND h, const RECT*, BOOL) {
    if (!h) {
        std::vector<HWND> all;
        {
            std::lock_guard guard(queueLock());
            for (const auto& [handle, w] : tables().windows) all.push_back(handle);
        }
        for (HWND each : all) invalidate(each);
        return TRUE;
    }
    if (!localWindow(h)) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return FALSE;
    }
    invalidate(h);
    return TRUE;
}

BOOL WINAPI ValidateRect(HWND h, const RECT*) {
    if (!localWindow(h)) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return FALSE;
    }
    validate(h);
    return TRUE;
}

BOOL WINAPI SetWindowPos(HWND h, HWND insertAfter, int x, int y, int width, int height, UINT flags) {
    Window* w = localWindow(h);
    if (!w) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return FALSE;
    }
    RECT old = w->rect;
    RECT next = old;
    if (!(flags & SWP_NOMOVE)) {
        next.right += x - next.left;
        next.bottom += y - next.top;
        next.left = x;
        next.top = y;
    }
    if (!(flags & SWP_NOSIZE)) {
        next.right = next.left + std::max(0, width);
        next.bottom = next.top + std::max(0, height);
    }
    w->rect = next;
    if (!(w->style & (WS_MINIMIZE | WS_MAXIMIZE))) w->restoreRect = next;
    if (!(flags & SWP_NOZORDER)) {
        if (insertAfter == HWND_TOPMOST) w->exStyle |= WS_EX_TOPMOST;
        if (insertAfter == HWND_NOTOPMOST) w->exStyle &= ~static_cast<DWORD>(WS_EX_TOPMOST);
        if (insertAfter == HWND_BOTTOM && w->isChild()) {
            if (Window* parent = localWindow(w->parent)) {
                std::erase(parent->children, h);
                parent->children.push_back(h);
            }
        } else if (insertAfter != HWND_BOTTOM) {
            raiseInOrder(*w);
        }
    }
    if (flags & SWP_SHOWWINDOW) reveal(h);
    if (flags & SWP_HIDEWINDOW) conceal(h);
    if (!(w = localWindow(h))) return TRUE;
    bool sized = (old.right - old.left) != (next.right - next.left) || (old.bottom - old.top) != (next.bottom - next.top);
    bool moved = old.left != next.left || old.top != next.top;
    if (sized) sendSize(h, SIZE_RESTORED);
    if (moved && (w = localWindow(h))) {
        RECT i = frameInsets(w->style, w->exStyle);
        callWindow(h, WM_MOVE, 0, MAKELPARAM(next.left + i.left, next.top + i.top));
    }
    if (!(w = localWindow(h))) return TRUE;
    if ((sized || moved) && !(flags & SWP_NOREDRAW)) invalidate(h);
    changed(*w);
    if (!(flags & SWP_NOACTIVATE) && !w->isChild()) activate(h);
    return TRUE;
}

BOOL WINAPI MoveWindow(HWND h, int x, int y, int width, int height, BOOL repaint) {
    return SetWindowPos(h, nullptr, x, y, width, height,
                        SWP_NOZORDER | SWP_NOACTIVATE | (repaint ? 0 : SWP_NOREDRAW));
}

BOOL WINAPI GetWindowRect(HWND h, LPRECT rect) {
    if (!rect) return FALSE;
    if (Window* w = localWindow(h)) {
        *rect = w->rect;
        if (w->isChild()) {
            if (Window* parent = localWindow(w->parent)) {
                POINT o = clientOrigin(*parent);
                *rect = RECT{rect->left + o.x, rect->top + o.y, rect->right + o.x, rect->bottom + o.y};
            }
        }
        return TRUE;
    }
    std::optional<platform::desktop::WindowRecord> rec = link::query(h);
    if (!rec) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return FALSE;
    }
    *rect = RECT{rec->left, rec->top, rec->right, rec->bottom};
    return TRUE;
}

BOOL WINAPI GetClientRect(HWND h, LPRECT rect) {
    if (!rect) return FALSE;
    if (Window* w = localWindow(h)) {
        *rect = RECT{0, 0, clientWidth(*w), clientHeight(*w)};
        return TRUE;
    }
    std::optional<platform::desktop::WindowRecord> rec = link::query(h);
    if (!rec) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return FALSE;
    }
    RECT i = frameInsets(rec->style, rec->exStyle);
    *rect = RECT{0, 0, std::max(0, rec->right - rec->left - i.left - i.right),
                 std::max(0, rec->bottom - rec->top - i.top - i.bottom)};
    return TRUE;
}

BOOL WINAPI ClientToScreen(HWND h, LPPOINT point) {
    Window* w = localWindow(h);
    if (!w || !point) return FALSE;
    POINT o = clientOrigin(*w);
    point->x += o.x;
    point->y += o.y;
    return TRUE;
}

BOOL WINAPI ScreenToClient(HWND h, LPPOINT point) {
    Window* w = localWindow(h);
    if (!w || !point) return FALSE;
    POINT o = clientOrigin(*w);
    point->x -= o.x;
    point->y -= o.y;
    return TRUE;
}

BOOL WINAPI BringWindowToTop(HWND h) {
    return SetWindowPos(h, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
}

HWND WINAPI SetFocus(HWND h) {
    if (h && !localWindow(h)) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return nullptr;
    }
    HWND old;
    {
        std::lock_guard guard(queueLock());
        old = tables().focus;
    }
    if (old == h) return old;
    if (h) {
        HWND top = topLevelOf(h);
        if (GetActiveWindow() != top) activate(top);
    }
    {
        std::lock_guard guard(queueLock());
        old = tables().focus;
        tables().focus = h;
    }
    if (old == h) return old;
    if (old && localWindow(old)) callWindow(old, WM_KILLFOCUS, reinterpret_cast<WPARAM>(h), 0);
    if (h && localWindow(h)) callWindow(h, WM_SETFOCUS, reinterpret_cast<WPARAM>(old), 0);
    return old;
}

HWND WINAPI GetFocus() {
    std::lock_guard guard(queueLock());
    return tables().focus;
}

HWND WINAPI SetActiveWindow(HWND h) {
    if (h && !localWindow(h)) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return nullptr;
    }
    HWND old = GetActiveWindow();
    activate(h ? topLevelOf(h) : nullptr);
    return old;
}

HWND WINAPI GetActiveWindow() {
    std::lock_guard guard(queueLock());
    return tables().active;
}

BOOL WINAPI SetForegroundWindow(HWND h) {
    if (localWindow(h)) {
        activate(topLevelOf(h));
        link::raise(topLevelOf(h));
        return TRUE;
    }
    if (!IsWindow(h)) return FALSE;
    link::raise(h);
    return TRUE;
}

HWND WINAPI GetForegroundWindow() {
    for (const platform::desktop::WindowRecord& rec : link::topLevelWindows())
        if (rec.visible) return toHwnd(rec.handle);
    return nullptr;
}

int WINAPI GetSystemMetrics(int index) {
    int width = 640;
    int height = 480;
    if (platform::Pc::hasCurrent()) {
        width = platform::Pc::current().settings().screenWidth;
        height = platform::Pc::current().settings().screenHeight;
    }
    switch (index) {
    case SM_CXSCREEN: return width;
    case SM_CYSCREEN: return height;
    case SM_CXFULLSCREEN: return width;
    case SM_CYFULLSCREEN: return height - 18;
    case SM_CXVSCROLL:
    case SM_CYHSCROLL: return 16;
    case SM_CYCAPTION: return 18;
    case SM_CXBORDER:
    case SM_CYBORDER: return 1;
    case SM_CXDLGFRAME:
    case SM_CYDLGFRAME: return 3;
    case SM_CXFRAME:
    case SM_CYFRAME: return 4;
    case SM_CXICON:
    case SM_CYICON:
    case SM_CXCURSOR:
    case SM_CYCURSOR: return 32;
    case SM_CXSMICON:
    case SM_CYSMICON: return 16;
    case SM_CYMENU: return 18;
    case SM_CXMIN: return 112;
    case SM_CYMIN: return 27;
    }
    return 0;
}
