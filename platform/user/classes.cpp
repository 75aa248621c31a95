// Window classes of this process. A class is found by name (without regard to case) or by the
// atom that RegisterClassA returned.
#include "user/classes.h"

#include "user/tables.h"
#include "win/kernel.h"

#include <strings.h>

namespace platform::user {
namespace {

std::shared_ptr<WindowClass> findLockedClass(LPCSTR name) {
    for (const auto& c : tables().classes) {
        if (isAtomName(name) ? c->atom == static_cast<ATOM>(reinterpret_cast<ULONG_PTR>(name))
                         : ::strcasecmp(c->name.c_str(), name) == 0)
            return c;
    }
    return nullptr;
}

}  // namespace

std::shared_ptr<WindowClass> findClass(LPCSTR name) {
    if (!name) return nullptr;
    std::lock_guard guard(queueLock());
    return findLockedClass(name);
}

}  // namespace platform::user

using namespace platform::user;

ATOM WINAPI RegisterClassA(const WNDCLASSA* wc) {
    if (!wc || !wc->lpszClassName || isAtomName(wc->lpszClassName) || !*wc->lpszClassName || !wc->lpfnWndProc ||
        wc->cbClsExtra < 0 || wc->cbWndExtra < 0) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    std::lock_guard guard(queueLock());
    for (const auto& c : tables().classes) {
        if (::strcasecmp(c->name.c_str(), wc->lpszClassName) == 0) {
            SetLastError(ERROR_CLASS_ALREADY_EXISTS);
            return 0;
        }
    }
    static ATOM nextAtom = 0xC000;
    auto c = std::make_shared<WindowClass>();
    c->name = wc->lpszClassName;
    c->atom = nextAtom++;
    c->style = wc->style;
    c->proc = wc->lpfnWndProc;
    c->classExtra = wc->cbClsExtra;
    c->windowExtra = wc->cbWndExtra;
    c->instance = wc->hInstance;
    c->icon = wc->hIcon;
    c->cursor = wc->hCursor;
    c->background = wc->hbrBackground;
    if (wc->lpszMenuName && !isAtomName(wc->lpszMenuName)) c->menuName = wc->lpszMenuName;
    tables().classes.push_back(c);
    return c->atom;
}

BOOL WINAPI UnregisterClassA(LPCSTR className, HINSTANCE) {
    std::lock_guard guard(queueLock());
    auto& classes = tables().classes;
    for (auto it = classes.begin(); it != classes.end(); ++it) {
        const WindowClass& c = **it;
        bool match = isAtomName(className) ? c.atom == static_cast<ATOM>(reinterpret_cast<ULONG_PTR>(className))
                                           : (className && ::strcasecmp(c.name.c_str(), className) == 0);
        if (!match) continue;
        if (c.windows > 0) {
            SetLastError(ERROR_CLASS_HAS_WINDOWS);
            return FALSE;
        }
        classes.erase(it);
        return TRUE;
    }
    SetLastError(ERROR_CLASS_DOES_NOT_EXIST);
    return FALSE;
}

BOOL WINAPI GetClassInfoA(HINSTANCE, LPCSTR className, LPWNDCLASSA out) {
    std::shared_ptr<WindowClass> c = findClass(className);
    if (!c || !out) {
        SetLastError(ERROR_CLASS_DOES_NOT_EXIST);
        return FALSE;
    }
    *out = WNDCLASSA{c->style, c->proc, c->classExtra, c->windowExtra, c->instance, c->icon, c->cursor,
                     c->background, nullptr, className};
    return TRUE;
}
