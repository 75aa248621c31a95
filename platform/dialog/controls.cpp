#include "dialog/controls.h"

#include "dialog/dialog_state.h"

#include <map>
#include <mutex>

namespace platform::dialog {
namespace {

struct Fonts {
    std::mutex lock;
    std::map<HWND, HFONT> byWindow;
};

Fonts& fonts() {
    static Fonts f;
    return f;
}

}  // namespace

const char* controlClassOfAtom(int atom) {
    switch (atom) {
    case 0x80: return kButtonClass;
    case 0x81: return kEditClass;
    case 0x82: return kStaticClass;
    case 0x83: return kListBoxClass;
    }
    return nullptr;
}

void notifyParent(HWND control, int code) {
    HWND parent = GetParent(control);
    if (!parent) return;
    SendMessageA(parent, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(control), code), reinterpret_cast<LPARAM>(control));
}

HBRUSH controlColours(HWND control, HDC dc, UINT ctlColorMessage, int defaultBackground) {
    SetTextColor(dc, GetSysColor(IsWindowEnabled(control) ? COLOR_WINDOWTEXT : COLOR_GRAYTEXT));
    SetBkColor(dc, GetSysColor(defaultBackground));
    SetBkMode(dc, OPAQUE);
    if (HWND parent = GetParent(control)) {
        auto chosen = reinterpret_cast<HBRUSH>(
            SendMessageA(parent, ctlColorMessage, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(control)));
        if (chosen) return chosen;
    }
    return GetSysColorBrush(defaultBackground);
}

HFONT fontOf(HWND control) {
    Fonts& f = fonts();
    std::lock_guard guard(f.lock);
    auto it = f.byWindow.find(control);
    return it != f.byWindow.end() && it->second ? it->second : static_cast<HFONT>(GetStockObject(SYSTEM_FONT));
}

void setFont(HWND control, HFONT font) {
    Fonts& f = fonts();
    std::lock_guard guard(f.lock);
    f.byWindow[control] = font;
}

void forgetFont(HWND control) {
    Fonts& f = fonts();
    std::lock_guard guard(f.lock);
    f.byWindow.erase(control);
}

bool commonControlMessage(HWND control, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    switch (message) {
    case WM_ERASEBKGND:
        result = 1;
        return true;
    case WM_SETFONT:
        setFont(control, reinterpret_cast<HFONT>(wParam));
        if (LOWORD(lParam)) InvalidateRect(control, nullptr, TRUE);
        result = 0;
        return true;
    case WM_GETFONT:
        result = reinterpret_cast<LRESULT>(fontOf(control));
        return true;
    }
    return false;
}

namespace {
// Put up at start-up, so that a program's or a test's own choice made later stands.
const bool missingFileBoxInstalled = (installMissingFileBox(), true);
}  // namespace

void registerClasses() {
    static std::once_flag once;
    std::call_once(once, [] {
        struct Entry {
            const char* name;
            WNDPROC proc;
            int extra;
        } entries[] = {
            {kDialogClass, dialogWindowProc, DLGWINDOWEXTRA},
            {kButtonClass, buttonProc, sizeof(LONG_PTR)},
            {kEditClass, editProc, sizeof(LONG_PTR)},
            {kStaticClass, staticProc, sizeof(LONG_PTR)},
            {kListBoxClass, listBoxProc, sizeof(LONG_PTR)},
        };
        for (const Entry& e : entries) {
            WNDCLASSA wc{};
            wc.style = CS_GLOBALCLASS;
            wc.lpfnWndProc = e.proc;
            wc.cbWndExtra = e.extra;
            wc.lpszClassName = e.name;
            RegisterClassA(&wc);
        }
    });
}

}  // namespace platform::dialog
