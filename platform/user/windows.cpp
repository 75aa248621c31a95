// Creating, destroying and querying windows.
#include "user/classes.h"
#include "user/dispatch.h"
#include "user/link.h"
#include "user/tables.h"
#include "win/kernel.h"

#include <unistd.h>

#include <algorithm>
#include <cstring>

namespace platform::user {

RECT frameInsets(DWORD style, DWORD exStyle) {
    int side = 0;
    if (style & WS_THICKFRAME) side = 4;
    else if ((style & WS_DLGFRAME) || (exStyle & WS_EX_DLGMODALFRAME)) side = 3;
    else if (style & WS_BORDER) side = 1;
    int caption = (style & WS_CAPTION) == WS_CAPTION ? 18 : 0;
    return RECT{side, side + caption, side, side};
}

POINT clientOrigin(const Window& w) {
    RECT insets = frameInsets(w.style, w.exStyle);
    POINT p{w.rect.left + insets.left, w.rect.top + insets.top};
    if (w.isChild()) {
        if (Window* parent = localWindow(w.parent)) {
            POINT origin = clientOrigin(*parent);
            p.x += origin.x;
            p.y += origin.y;
        }
    }
    return p;
}

HWND topLevelOf(HWND handle) {
    std::lock_guard guard(queueLock());
    Window* w = findLocked(handle);
    while (w && w->isChild()) {
        Window* parent = findLocked(w->parent);
        if (!parent) break;
        w = parent;
    }
    return w ? w->handle : nullptr;
}

namespace {

void sendSizeAndMove(Window& w) {
    RECT insets = frameInsets(w.style, w.exStyle);
    int width = std::max(0, static_cast<int>(w.rect.right - w.rect.left - insets.left - insets.right));
    int height = std::max(0, static_cast<int>(w.rect.bottom - w.rect.top - insets.top - insets.bottom));
    HWND h = w.handle;
    callWindow(h, WM_SIZE, SIZE_RESTORED, MAKELPARAM(width, height));
    if (Window* still = localWindow(h)) {
        POINT origin{still->rect.left + insets.left, still->rect.top + insets.top};
        callWindow(h, WM_MOVE, 0, MAKELPARAM(origin.x, origin.y));
    }
}

// Sends WM_DESTROY to the window and then to its children, top down.
void sendDestroy(HWND handle) {
    Window* w = localWindow(handle);
    if (!w) return;
    w->destroying = true;
    callWindow(handle, WM_DESTROY, 0, 0);
    if ((w = localWindow(handle)) == nullptr) return;
    std::vector<HWND> children = w->children;
    for (HWND child : children) sendDestroy(child);
}

// Takes the window and its children out of every table, bottom up.
void finishDestroy(HWND handle) {
    Window* w = localWindow(handle);
    if (!w) return;
    std::vector<HWND> children = w->children;
    for (HWND child : children) finishDestroy(child);
    callWindow(handle, WM_NCDESTROY, 0, 0);
    if (windowEvents().destroyed) windowEvents().destroyed(*w);
    std::unique_ptr<Window> gone;
    {
        std::lock_guard guard(queueLock());
        Tables& t = tables();
        auto it = t.windows.find(handle);
        if (it == t.windows.end()) return;
        gone = std::move(it->second);
        t.windows.erase(it);
        if (Window* parent = findLocked(gone->parent)) std::erase(parent->children, handle);
        if (t.focus == handle) t.focus = nullptr;
        if (t.active == handle) t.active = nullptr;
        --gone->windowClass->windows;
        dropQueuedFor(*gone->queue, handle);
    }
    link::forget(handle);
}

}  // namespace
}  // namespace platform::user

using namespace platform::user;

HWND WINAPI CreateWindowExA(DWORD exStyle, LPCSTR className, LPCSTR windowName, DWORD style, int x, int y,
                            int width, int height, HWND parent, HMENU menu, HINSTANCE instance, LPVOID param) {
    std::shared_ptr<WindowClass> windowClass = findClass(className);
    if (!windowClass) {
        SetLastError(ERROR_CANNOT_FIND_WND_CLASS);
        return nullptr;
    }
    auto w = std::make_unique<Window>();
    w->windowClass = windowClass;
    w->title = windowName && !isAtomName(windowName) ? windowName : "";
    if (!(style & (WS_CHILD | WS_POPUP))) style |= WS_CAPTION | WS_CLIPSIBLINGS;  // overlapped windows
    w->style = style & ~static_cast<DWORD>(WS_VISIBLE);
    w->exStyle = exStyle;
    w->instance = instance;
    w->proc = windowClass->proc;
    w->extra.resize(static_cast<std::size_t>(windowClass->windowExtra));
    w->queue = currentQueue();
    if (style & WS_CHILD) {
        if (!parent) {
            SetLastError(ERROR_TLW_WITH_WSCHILD);
            return nullptr;
        }
        if (!localWindow(parent)) {
            SetLastError(ERROR_INVALID_WINDOW_HANDLE);
            return nullptr;
        }
        w->parent = parent;
        w->menuOrId = menu;
    } else {
        if (parent && !IsWindow(parent)) {
            SetLastError(ERROR_INVALID_WINDOW_HANDLE);
            return nullptr;
        }
        w->owner = parent ? (localWindow(parent) ? topLevelOf(parent) : parent) : nullptr;
        w->menuOrId = menu;
    }
    bool overlapped = !(style & (WS_CHILD | WS_POPUP));
    int screenWidth = GetSystemMetrics(SM_CXSCREEN);
    int screenHeight = GetSystemMetrics(SM_CYSCREEN);
    if (x == CW_USEDEFAULT) x = y = overlapped ? 24 : 0;
    if (width == CW_USEDEFAULT) {
        width = overlapped ? screenWidth * 3 / 4 : 0;
        height = overlapped ? screenHeight * 3 / 4 : 0;
    }
    w->rect = RECT{x, y, x + width, y + height};
    w->restoreRect = w->rect;

    HWND handle = link::registerWindow(*w);
    if (!handle) return nullptr;
    w->handle = handle;
    Window* made = w.get();
    {
        std::lock_guard guard(queueLock());
        ++windowClass->windows;
        if (Window* p = findLocked(made->parent)) p->children.insert(p->children.begin(), handle);
        tables().windows[handle] = std::move(w);
    }
    CREATESTRUCTA create{param, instance, menu, parent, height, width, y, x, static_cast<LONG>(style),
                         windowName, className, exStyle};
    if (!callWindow(handle, WM_NCCREATE, 0, reinterpret_cast<LPARAM>(&create)) ||
        callWindow(handle, WM_CREATE, 0, reinterpret_cast<LPARAM>(&create)) == -1) {
        DestroyWindow(handle);
        return nullptr;
    }
    if (!(made = localWindow(handle))) return nullptr;
    sendSizeAndMove(*made);
    if (!(made = localWindow(handle))) return nullptr;
    if (windowEvents().created) windowEvents().created(*made);
    link::publish(*made);
    if (style & WS_VISIBLE) ShowWindow(handle, SW_SHOW);
    return handle;
}

BOOL WINAPI DestroyWindow(HWND handle) {
    Window* w = localWindow(handle);
    if (!w) {
        SetLastError(IsWindow(handle) ? ERROR_ACCESS_DENIED : ERROR_INVALID_WINDOW_HANDLE);
        return FALSE;
    }
    if (w->queue != currentQueue()) {
        SetLastError(ERROR_ACCESS_DENIED);
        return FALSE;
    }
    if (w->destroying) return TRUE;
    // Owned windows go first, as the platform destroys them with their owner.
    std::vector<HWND> owned;
    {
        std::lock_guard guard(queueLock());
        for (const auto& [h, other] : tables().windows)
            if (other->owner == handle && !other->destroying) owned.push_back(h);
    }
    for (HWND h : owned) DestroyWindow(h);
    if ((w = localWindow(handle)) == nullptr) return TRUE;
    bool wasActive = GetActiveWindow() == handle;
    HWND owner = w->owner;
    if (w->visible()) {
        w->style &= ~static_cast<DWORD>(WS_VISIBLE);
        link::publish(*w);
    }
    sendDestroy(handle);
    finishDestroy(handle);
    if (wasActive && owner && localWindow(owner)) activate(owner);
    return TRUE;
}

BOOL WINAPI IsWindow(HWND handle) {
    if (!handle) return FALSE;
    if (localWindow(handle)) return TRUE;
    return link::query(handle).has_value();
}

BOOL WINAPI IsWindowVisible(HWND handle) {
    if (Window* w = localWindow(handle)) {
        for (;;) {
            if (!w->visible()) return FALSE;
            if (!w->isChild()) return TRUE;
            w = localWindow(w->parent);
            if (!w) return FALSE;
        }
    }
    std::optional<platform::desktop::WindowRecord> rec = link::query(handle);
    return rec && rec->visible;
}

BOOL WINAPI IsIconic(HWND handle) {
    if (Window* w = localWindow(handle)) return (w->style & WS_MINIMIZE) != 0;
    std::optional<platform::desktop::WindowRecord> rec = link::query(handle);
    return rec && (rec->style & WS_MINIMIZE);
}

BOOL WINAPI IsChild(HWND parent, HWND handle) {
    Window* w = localWindow(handle);
    while (w && w->isChild()) {
        if (w->parent == parent) return TRUE;
        w = localWindow(w->parent);
    }
    return FALSE;
}

HWND WINAPI GetParent(HWND handle) {
    if (Window* w = localWindow(handle)) {
        if (w->isChild()) return w->parent;
        return (w->style & WS_POPUP) ? w->owner : nullptr;
    }
    std::optional<platform::desktop::WindowRecord> rec = link::query(handle);
    if (!rec) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return nullptr;
    }
    if (rec->style & WS_CHILD) return toHwnd(rec->parent);
    return (rec->style & WS_POPUP) ? toHwnd(rec->owner) : nullptr;
}

BOOL WINAPI EnableWindow(HWND handle, BOOL enable) {
    Window* w = localWindow(handle);
    if (!w) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return FALSE;
    }
    BOOL wasDisabled = (w->style & WS_DISABLED) != 0;
    if (wasDisabled == !enable) return wasDisabled;
    if (enable) w->style &= ~static_cast<DWORD>(WS_DISABLED);
    else w->style |= WS_DISABLED;
    if (!enable && GetFocus() == handle) SetFocus(nullptr);
    link::publish(*w);
    callWindow(handle, WM_ENABLE, enable ? TRUE : FALSE, 0);
    return wasDisabled;
}

BOOL WINAPI IsWindowEnabled(HWND handle) {
    if (Window* w = localWindow(handle)) return (w->style & WS_DISABLED) == 0;
    std::optional<platform::desktop::WindowRecord> rec = link::query(handle);
    return rec && !(rec->style & WS_DISABLED);
}

HWND WINAPI FindWindowA(LPCSTR className, LPCSTR windowName) {
    std::string name;
    if (isAtomName(className)) {
        // A class atom is this process's: look the name up.
        std::shared_ptr<WindowClass> c = findClass(className);
        if (!c) return nullptr;
        name = c->name;
        className = name.c_str();
    }
    return link::find(className, windowName);
}

DWORD WINAPI GetWindowThreadProcessId(HWND handle, LPDWORD processId) {
    if (Window* w = localWindow(handle)) {
        if (processId) *processId = static_cast<DWORD>(::getpid());
        return w->queue->threadId;
    }
    std::optional<platform::desktop::WindowRecord> rec = link::query(handle);
    if (!rec) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return 0;
    }
    if (processId) *processId = static_cast<DWORD>(rec->pid);
    return static_cast<DWORD>(rec->pid);  // a program's one thread has the process's id
}

int WINAPI GetClassNameA(HWND handle, LPSTR buffer, int size) {
    std::string name;
    if (Window* w = localWindow(handle)) {
        name = w->windowClass->name;
    } else if (std::optional<platform::desktop::WindowRecord> rec = link::query(handle)) {
        name = rec->className;
    } else {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return 0;
    }
    if (!buffer || size <= 0) return 0;
    std::size_t n = std::min(name.size(), static_cast<std::size_t>(size - 1));
    std::memcpy(buffer, name.data(), n);
    buffer[n] = 0;
    return static_cast<int>(n);
}

BOOL WINAPI SetWindowTextA(HWND handle, LPCSTR text) {
    if (!localWindow(handle)) {
        // Texts do not travel to other programs' windows.
        SetLastError(IsWindow(handle) ? ERROR_ACCESS_DENIED : ERROR_INVALID_WINDOW_HANDLE);
        return FALSE;
    }
    return SendMessageA(handle, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text ? text : "")) ? TRUE : FALSE;
}

int WINAPI GetWindowTextA(HWND handle, LPSTR buffer, int size) {
    if (!buffer || size <= 0) return 0;
    if (localWindow(handle))
        return static_cast<int>(SendMessageA(handle, WM_GETTEXT, static_cast<WPARAM>(size), reinterpret_cast<LPARAM>(buffer)));
    std::optional<platform::desktop::WindowRecord> rec = link::query(handle);
    buffer[0] = 0;
    if (!rec) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return 0;
    }
    std::size_t n = std::min(rec->title.size(), static_cast<std::size_t>(size - 1));
    std::memcpy(buffer, rec->title.data(), n);
    buffer[n] = 0;
    return static_cast<int>(n);
}

int WINAPI GetWindowTextLengthA(HWND handle) {
    if (localWindow(handle)) return static_cast<int>(SendMessageA(handle, WM_GETTEXTLENGTH, 0, 0));
    std::optional<platform::desktop::WindowRecord> rec = link::query(handle);
    return rec ? static_cast<int>(rec->title.size()) : 0;
}

namespace {

bool extraSlot(Window& w, int index, std::size_t size) {
    return index >= 0 && static_cast<std::size_t>(index) + size <= w.extra.size();
}

}  // namespace

LONG_PTR WINAPI GetWindowLongPtrA(HWND handle, int index) {
    Window* w = localWindow(handle);
    if (!w) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return 0;
    }
    switch (index) {
    case GWL_WNDPROC: return reinterpret_cast<LONG_PTR>(w->proc);
    case GWL_HINSTANCE: return reinterpret_cast<LONG_PTR>(w->instance);
    case GWL_HWNDPARENT: return reinterpret_cast<LONG_PTR>(w->isChild() ? w->parent : w->owner);
    case GWL_ID: return reinterpret_cast<LONG_PTR>(w->menuOrId);
    case GWL_STYLE: return static_cast<LONG>(w->style);
    case GWL_EXSTYLE: return static_cast<LONG>(w->exStyle);
    case GWL_USERDATA: return w->userData;
    }
    if (!extraSlot(*w, index, sizeof(LONG_PTR))) {
        SetLastError(ERROR_INVALID_INDEX_VALUE);
        return 0;
    }
    LONG_PTR value;
    std::memcpy(&value, w->extra.data() + index, sizeof value);
    return value;
}

LONG_PTR WINAPI SetWindowLongPtrA(HWND handle, int index, LONG_PTR value) {
    Window* w = localWindow(handle);
    if (!w) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return 0;
    }
    LONG_PTR old = GetWindowLongPtrA(handle, index);
    switch (index) {
    case GWL_WNDPROC: w->proc = reinterpret_cast<WNDPROC>(value); break;
    case GWL_HINSTANCE: w->instance = reinterpret_cast<HINSTANCE>(value); break;
    case GWL_ID: w->menuOrId = reinterpret_cast<HMENU>(value); break;
    case GWL_STYLE: w->style = static_cast<DWORD>(value); link::publish(*w); break;
    case GWL_EXSTYLE: w->exStyle = static_cast<DWORD>(value); link::publish(*w); break;
    case GWL_USERDATA: w->userData = value; break;
    case GWL_HWNDPARENT:
        if (!w->isChild()) w->owner = reinterpret_cast<HWND>(value);
        break;
    default:
        if (!extraSlot(*w, index, sizeof(LONG_PTR))) {
            SetLastError(ERROR_INVALID_INDEX_VALUE);
            return 0;
        }
        std::memcpy(w->extra.data() + index, &value, sizeof value);
    }
    return old;
}

LONG WINAPI GetWindowLongA(HWND handle, int index) {
    Window* w = localWindow(handle);
    if (w && index >= 0) {
        if (!extraSlot(*w, index, sizeof(LONG))) {
            SetLastError(ERROR_INVALID_INDEX_VALUE);
            return 0;
        }
        LONG value;
        std::memcpy(&value, w->extra.data() + index, sizeof value);
        return value;
    }
    return static_cast<LONG>(GetWindowLongPtrA(handle, index));
}

LONG WINAPI SetWindowLongA(HWND handle, int index, LONG value) {
    Window* w = localWindow(handle);
    if (w && index >= 0) {
        if (!extraSlot(*w, index, sizeof(LONG))) {
            SetLastError(ERROR_INVALID_INDEX_VALUE);
            return 0;
        }
        LONG old;
        std::memcpy(&old, w->extra.data() + index, sizeof old);
        std::memcpy(w->extra.data() + index, &value, sizeof value);
        return old;
    }
    return static_cast<LONG>(SetWindowLongPtrA(handle, index, value));
}
