// Message boxes: a modal dialog made on the spot with the text, an icon and the buttons of the
// box's type, laid out around the measured text.
#include "dialog/controls.h"
#include "dialog/dialog_create.h"
#include "dialog/dialog_state.h"
#include "gdi/dialog_units.h"
#include "gdi/display.h"
#include "user/window.h"
#include "win/kernel.h"

#include <algorithm>
#include <string>
#include <vector>

namespace platform::dialog {
namespace {

struct ButtonSpec {
    int id;
    const char* text;
};

constexpr int kMargin = 12;
constexpr int kButtonWidth = 75;
constexpr int kButtonHeight = 23;
constexpr int kButtonGap = 6;
constexpr int kIconSize = 32;

std::vector<ButtonSpec> buttonsOf(UINT type) {
    switch (type & MB_TYPEMASK) {
    case MB_OK: return {{IDOK, "OK"}};
    case MB_OKCANCEL: return {{IDOK, "OK"}, {IDCANCEL, "Cancel"}};
    case MB_ABORTRETRYIGNORE: return {{IDABORT, "&Abort"}, {IDRETRY, "&Retry"}, {IDIGNORE, "&Ignore"}};
    case MB_YESNOCANCEL: return {{IDYES, "&Yes"}, {IDNO, "&No"}, {IDCANCEL, "Cancel"}};
    case MB_YESNO: return {{IDYES, "&Yes"}, {IDNO, "&No"}};
    case MB_RETRYCANCEL: return {{IDRETRY, "&Retry"}, {IDCANCEL, "Cancel"}};
    }
    return {};
}

LPCSTR iconOf(UINT type) {
    switch (type & MB_ICONMASK) {
    case MB_ICONHAND: return IDI_HAND;
    case MB_ICONQUESTION: return IDI_QUESTION;
    case MB_ICONEXCLAMATION: return IDI_EXCLAMATION;
    case MB_ICONASTERISK: return IDI_ASTERISK;
    }
    return nullptr;
}

INT_PTR CALLBACK messageBoxProc(HWND box, UINT message, WPARAM wParam, LPARAM) {
    switch (message) {
    case WM_INITDIALOG:
        return TRUE;
    case WM_COMMAND: {
        int id = LOWORD(wParam);
        if (GetDlgItem(box, id)) {
            EndDialog(box, id);
        } else if (id == IDCANCEL && GetDlgItem(box, IDOK) && !GetDlgItem(box, IDNO) &&
                   !GetDlgItem(box, IDRETRY)) {
            EndDialog(box, IDOK);  // Escape or closing a box with only OK answers OK
        }
        return TRUE;
    }
    }
    return FALSE;
}

SIZE measure(HFONT font, const char* text, int maxWidth) {
    HDC dc = CreateCompatibleDC(nullptr);
    SelectObject(dc, font);
    RECT r{0, 0, maxWidth, 0};
    DrawTextA(dc, text, -1, &r, DT_CALCRECT | DT_WORDBREAK | DT_EXPANDTABS | DT_NOPREFIX);
    DeleteDC(dc);
    return SIZE{r.right - r.left, r.bottom - r.top};
}

void child(HWND box, const char* cls, const char* text, DWORD style, int id, RECT r, HFONT font) {
    HWND made = CreateWindowExA(0, cls, text, style | WS_CHILD | WS_VISIBLE, r.left, r.top, r.right - r.left,
                                r.bottom - r.top, box, reinterpret_cast<HMENU>(static_cast<LONG_PTR>(id)), nullptr, nullptr);
    if (made) SendMessageA(made, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
}

}  // namespace
}  // namespace platform::dialog

using namespace platform;
using namespace platform::dialog;

int WINAPI MessageBoxA(HWND owner, LPCSTR text, LPCSTR caption, UINT type) {
    std::vector<ButtonSpec> buttons = buttonsOf(type);
    if (buttons.empty()) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    registerClasses();
    if (!text) text = "";
    gdi::Display display = gdi::currentDisplay();
    HFONT font = CreateFontA(-11, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, "Arial");
    SIZE textSize = measure(font, text, display.width * 5 / 8);
    LPCSTR iconName = iconOf(type);
    int textLeft = kMargin + (iconName ? kIconSize + kMargin : 0);
    int contentHeight = std::max(static_cast<int>(textSize.cy), iconName ? kIconSize : 0);
    int textTop = kMargin + (contentHeight - textSize.cy) / 2;
    int rowWidth = static_cast<int>(buttons.size()) * (kButtonWidth + kButtonGap) - kButtonGap;
    int clientWidth = std::max(textLeft + static_cast<int>(textSize.cx) + kMargin, rowWidth + 2 * kMargin);
    int buttonTop = kMargin + contentHeight + kMargin;
    int clientHeight = buttonTop + kButtonHeight + kMargin;

    DWORD style = WS_POPUP | WS_CAPTION | WS_SYSMENU;
    DWORD exStyle = WS_EX_DLGMODALFRAME | ((type & MB_TOPMOST) ? WS_EX_TOPMOST : 0);
    RECT insets = user::frameInsets(style, exStyle);
    int width = clientWidth + insets.left + insets.right;
    int height = clientHeight + insets.top + insets.bottom;
    HWND box = CreateWindowExA(exStyle, kDialogClass, caption ? caption : "Error", style, (display.width - width) / 2,
                               (display.height - height) / 2, width, height, owner, nullptr, nullptr, nullptr);
    if (!box) {
        DeleteObject(font);
        return 0;
    }
    auto state = std::make_unique<DialogState>();
    state->proc = messageBoxProc;
    state->font = font;
    state->ownsFont = true;
    state->baseUnits = gdi::dialogBaseUnits(font);
    std::size_t defaultIndex = std::min<std::size_t>((type & MB_DEFMASK) >> 8, buttons.size() - 1);
    state->defaultId = buttons[defaultIndex].id;
    attachState(box, std::move(state));

    if (iconName) {
        child(box, kStaticClass, "", SS_ICON, -1, RECT{kMargin, kMargin, kMargin + kIconSize, kMargin + kIconSize}, font);
        SendDlgItemMessageA(box, -1, STM_SETICON, reinterpret_cast<WPARAM>(LoadIconA(nullptr, iconName)), 0);
    }
    child(box, kStaticClass, text, SS_LEFT | SS_NOPREFIX, 0xFFFF,
          RECT{textLeft, textTop, textLeft + static_cast<int>(textSize.cx), textTop + static_cast<int>(textSize.cy)}, font);
    int x = (clientWidth - rowWidth) / 2;
    for (std::size_t i = 0; i < buttons.size(); ++i, x += kButtonWidth + kButtonGap) {
        DWORD kind = i == defaultIndex ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON;
        child(box, kButtonClass, buttons[i].text, kind | WS_TABSTOP, buttons[i].id,
              RECT{x, buttonTop, x + kButtonWidth, buttonTop + kButtonHeight}, font);
    }
    finishDialog(box, 0, false);
    if (HWND chosen = GetDlgItem(box, buttons[defaultIndex].id)) {
        SetFocus(chosen);
        if (DialogState* s = stateOf(box)) s->lastFocus = chosen;
    }
    return static_cast<int>(runModal(box, owner));
}
