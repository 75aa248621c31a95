// Dialogs made from templates: the dialog window, its font and dialog units, its controls, and
// WM_INITDIALOG.
#include "dialog/controls.h"
#include "dialog/dialog_create.h"
#include "dialog/dialog_state.h"
#include "dialog/dialog_record.h"
#include "gdi/dialog_units.h"
#include "gdi/display.h"
#include "rc/templates.h"
#include "user/window.h"
#include "win/kernel.h"

#include <span>

namespace platform::dialog {
namespace {

std::string nameOf(LPCSTR templateName) {
    if (IS_INTRESOURCE(templateName)) return "#" + std::to_string(reinterpret_cast<ULONG_PTR>(templateName));
    return templateName;
}

std::optional<rc::DialogTemplate> loadTemplate(HINSTANCE instance, LPCSTR name) {
    HRSRC found = FindResourceA(instance, name, RT_DIALOG);
    if (!found) return std::nullopt;
    HGLOBAL loaded = LoadResource(instance, found);
    auto data = static_cast<const BYTE*>(LockResource(loaded));
    if (!data) return std::nullopt;
    std::string error;
    auto parsed = rc::parseDialogTemplate(std::span(data, SizeofResource(instance, found)),
                                          gdi::currentDisplay().codePage, error);
    if (!parsed) SetLastError(ERROR_RESOURCE_DATA_NOT_FOUND);
    return parsed;
}

// The template's font at the screen's 96 pixels per inch; the system font when it names none.
HFONT fontOf(const rc::DialogTemplate& t, bool& owned) {
    owned = t.hasFont;
    if (!t.hasFont) return static_cast<HFONT>(GetStockObject(SYSTEM_FONT));
    int height = -(t.pointSize * 96 + 36) / 72;
    return CreateFontA(height, 0, 0, 0, t.weight ? t.weight : FW_NORMAL, t.italic, 0, 0, t.charSet, 0, 0, 0, 0,
                       t.face.c_str());
}

std::string itemText(const rc::TemplateField& text) {
    if (!text.present) return "";
    return text.isNumber ? "#" + std::to_string(text.number) : text.text;
}

// A template rectangle in pixels. Position and size are converted each on its own, so a
// control is as wide as its width in dialog units gives wherever it stands.
RECT inPixels(short x, short y, short cx, short cy, SIZE base) {
    RECT r = gdi::dialogUnitsToPixels(RECT{x, y, cx, cy}, base);
    return RECT{r.left, r.top, r.left + r.right, r.top + r.bottom};
}

// A modal frame asked for by the dialog style is the window's modal frame.
DWORD frameExStyle(const rc::DialogTemplate& t) {
    return t.exStyle | ((t.style & DS_MODALFRAME) ? WS_EX_DLGMODALFRAME : 0);
}

// The screen rectangle of the dialog window.
RECT placement(const rc::DialogTemplate& t, SIZE base, HWND owner) {
    RECT client = inPixels(t.x, t.y, t.cx, t.cy, base);
    RECT insets = user::frameInsets(t.style, frameExStyle(t));
    int width = client.right - client.left + insets.left + insets.right;
    int height = client.bottom - client.top + insets.top + insets.bottom;
    POINT at{client.left, client.top};
    if (t.style & DS_CENTER) {
        gdi::Display display = gdi::currentDisplay();
        at = POINT{(display.width - width) / 2, (display.height - height) / 2};
    } else if (owner && !(t.style & DS_ABSALIGN)) {
        ClientToScreen(owner, &at);
    }
    return RECT{at.x, at.y, at.x + width, at.y + height};
}

bool makeControls(HWND dialog, HINSTANCE instance, const rc::DialogTemplate& t, SIZE base, HFONT font) {
    for (const rc::DialogItem& item : t.items) {
        std::string className = item.windowClass.isNumber
                                    ? (controlClassOfAtom(item.windowClass.number) ? controlClassOfAtom(item.windowClass.number) : "")
                                    : item.windowClass.text;
        RECT r = inPixels(item.x, item.y, item.cx, item.cy, base);
        std::string text = itemText(item.text);
        HWND control = CreateWindowExA(item.exStyle, className.c_str(), text.c_str(), item.style | WS_CHILD, r.left, r.top,
                                       r.right - r.left, r.bottom - r.top, dialog,
                                       reinterpret_cast<HMENU>(static_cast<LONG_PTR>(item.id)), instance, nullptr);
        if (!control) {
            if (t.style & DS_NOFAILCREATE) continue;
            return false;
        }
        SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    }
    return true;
}

}  // namespace

HWND createDialog(HINSTANCE instance, LPCSTR templateName, HWND parent, DLGPROC proc, LPARAM param) {
    registerClasses();
    std::optional<rc::DialogTemplate> t = loadTemplate(instance, templateName);
    if (!t) return nullptr;
    auto state = std::make_unique<DialogState>();
    state->proc = proc;
    state->font = fontOf(*t, state->ownsFont);
    state->baseUnits = gdi::dialogBaseUnits(state->font);
    state->templateName = nameOf(templateName);
    HWND owner = parent;
    RECT at = placement(*t, state->baseUnits, owner);
    std::string className = t->windowClass.present && !t->windowClass.isNumber ? t->windowClass.text : kDialogClass;
    DWORD style = t->style & ~static_cast<DWORD>(WS_VISIBLE);
    HWND dialog = CreateWindowExA(frameExStyle(*t), className.c_str(), t->title.c_str(), style, at.left, at.top,
                                  at.right - at.left, at.bottom - at.top, owner, nullptr, instance, nullptr);
    if (!dialog) {
        if (state->ownsFont) DeleteObject(state->font);
        return nullptr;
    }
    DialogState& kept = attachState(dialog, std::move(state));
    if (!makeControls(dialog, instance, *t, kept.baseUnits, kept.font)) {
        DWORD error = GetLastError();
        DestroyWindow(dialog);
        SetLastError(error);
        return nullptr;
    }
    finishDialog(dialog, param, (t->style & WS_VISIBLE) != 0);
    return IsWindow(dialog) ? dialog : nullptr;
}

void finishDialog(HWND dialog, LPARAM param, bool show) {
    DialogState* state = stateOf(dialog);
    if (!state) return;
    SendMessageA(dialog, WM_SETFONT, reinterpret_cast<WPARAM>(state->font), FALSE);
    HWND first = GetNextDlgTabItem(dialog, nullptr, FALSE);
    if (SendMessageA(dialog, WM_INITDIALOG, reinterpret_cast<WPARAM>(first), param) && first && IsWindow(first)) {
        SetFocus(first);
        if ((state = stateOf(dialog))) state->lastFocus = first;
        if (SendMessageA(first, WM_GETDLGCODE, 0, 0) & DLGC_HASSETSEL) SendMessageA(first, EM_SETSEL, 0, -1);
    }
    if ((state = stateOf(dialog))) publishDialogRecord(dialog, state->templateName);
    if (show && IsWindow(dialog)) ShowWindow(dialog, SW_SHOW);
}

}  // namespace platform::dialog

using namespace platform::dialog;

HWND WINAPI CreateDialogParamA(HINSTANCE instance, LPCSTR templateName, HWND parent, DLGPROC proc, LPARAM param) {
    return createDialog(instance, templateName, parent, proc, param);
}
