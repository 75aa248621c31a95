// Single-line edit controls: typing, the caret and its keys, a selection, the text limit and
// horizontal scrolling that keeps the caret in view. The text is kept as the window text too,
// so every program of the PC can read it.
#include "dialog/control_state.h"
#include "dialog/controls.h"
#include "win/codepage.h"
#include "win/paint.h"

#include <algorithm>
#include <string>

namespace platform::dialog {
namespace {

constexpr std::size_t kNoLimit = 0x7FFFFFFE;
constexpr int kMargin = 1;

struct EditState {
    std::string text;
    std::size_t caret = 0;
    std::size_t anchor = 0;  // the other end of the selection
    std::size_t scroll = 0;  // first byte shown
    std::size_t limit = kNoLimit;
    bool focused = false;
    int pendingLead = -1;    // the lead byte of a double-byte character still to come
};

EditState& stateOf(HWND window) { return *stateOfControl<EditState>(window); }
DWORD styleOf(HWND window) { return static_cast<DWORD>(GetWindowLongA(window, GWL_STYLE)); }

std::size_t nextChar(const std::string& text, std::size_t at) {
    if (at >= text.size()) return text.size();
    return static_cast<std::size_t>(CharNextA(text.c_str() + at) - text.c_str());
}
std::size_t previousChar(const std::string& text, std::size_t at) {
    if (at == 0) return 0;
    return static_cast<std::size_t>(CharPrevA(text.c_str(), text.c_str() + at) - text.c_str());
}

// Width in pixels of TEXT[from, to) in the control's font.
int widthOf(HWND window, const std::string& text, std::size_t from, std::size_t to) {
    if (to <= from) return 0;
    HDC dc = CreateCompatibleDC(nullptr);
    SelectObject(dc, fontOf(window));
    SIZE size{};
    GetTextExtentPoint32A(dc, text.c_str() + from, static_cast<int>(to - from), &size);
    DeleteDC(dc);
    return size.cx;
}

int textRoom(HWND window) {
    RECT client;
    GetClientRect(window, &client);
    return std::max(0, static_cast<int>(client.right) - 2 * kMargin);
}

void keepCaretInView(HWND window) {
    EditState& s = stateOf(window);
    if (s.caret < s.scroll) s.scroll = s.caret;
    int room = textRoom(window);
    while (s.scroll < s.caret && widthOf(window, s.text, s.scroll, s.caret) > room) s.scroll = nextChar(s.text, s.scroll);
}

void changed(HWND window) {
    EditState& s = stateOf(window);
    DefWindowProcA(window, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(s.text.c_str()));
    keepCaretInView(window);
    InvalidateRect(window, nullptr, TRUE);
    notifyParent(window, EN_CHANGE);
}

void moveCaret(HWND window, std::size_t to) {
    EditState& s = stateOf(window);
    s.caret = s.anchor = std::min(to, s.text.size());
    keepCaretInView(window);
    InvalidateRect(window, nullptr, TRUE);
}

bool deleteSelection(EditState& s) {
    std::size_t from = std::min(s.caret, s.anchor), to = std::max(s.caret, s.anchor);
    if (from == to) return false;
    s.text.erase(from, to - from);
    s.caret = s.anchor = from;
    return true;
}

void insert(HWND window, std::string typed) {
    EditState& s = stateOf(window);
    DWORD style = styleOf(window);
    if (style & ES_READONLY) return;
    if (style & ES_NUMBER && !std::all_of(typed.begin(), typed.end(), [](char c) { return c >= '0' && c <= '9'; }))
        return;
    if (typed.size() == 1 && (style & (ES_UPPERCASE | ES_LOWERCASE))) {
        auto one = reinterpret_cast<LPSTR>(static_cast<ULONG_PTR>(static_cast<BYTE>(typed[0])));
        one = (style & ES_UPPERCASE) ? CharUpperA(one) : CharLowerA(one);
        typed[0] = static_cast<char>(reinterpret_cast<ULONG_PTR>(one));
    }
    std::string after = s.text;
    std::size_t from = std::min(s.caret, s.anchor), to = std::max(s.caret, s.anchor);
    after.replace(from, to - from, typed);
    bool fits = after.size() <= s.limit &&
                ((style & ES_AUTOHSCROLL) || widthOf(window, after, 0, after.size()) <= textRoom(window));
    if (!fits) {
        notifyParent(window, EN_MAXTEXT);
        return;
    }
    s.text = std::move(after);
    s.caret = s.anchor = from + typed.size();
    changed(window);
}

void typeChar(HWND window, BYTE ch) {
    EditState& s = stateOf(window);
    if (s.pendingLead >= 0) {
        std::string pair{static_cast<char>(s.pendingLead), static_cast<char>(ch)};
        s.pendingLead = -1;
        insert(window, pair);
        return;
    }
    if (ch == VK_BACK) {
        if (styleOf(window) & ES_READONLY) return;
        if (!deleteSelection(s)) {
            if (s.caret == 0) return;
            std::size_t from = previousChar(s.text, s.caret);
            s.text.erase(from, s.caret - from);
            s.caret = s.anchor = from;
        }
        changed(window);
        return;
    }
    if (ch < 0x20) return;  // Enter, Escape, Tab and other controls are not text
    if (IsDBCSLeadByte(ch)) {
        s.pendingLead = ch;
        return;
    }
    insert(window, std::string(1, static_cast<char>(ch)));
}

void pressKey(HWND window, WPARAM key) {
    EditState& s = stateOf(window);
    switch (key) {
    case VK_DELETE:
        if (styleOf(window) & ES_READONLY) return;
        if (!deleteSelection(s)) {
            if (s.caret >= s.text.size()) return;
            s.text.erase(s.caret, nextChar(s.text, s.caret) - s.caret);
        }
        changed(window);
        return;
    case VK_HOME: moveCaret(window, 0); return;
    case VK_END: moveCaret(window, s.text.size()); return;
    case VK_LEFT: moveCaret(window, s.caret != s.anchor ? std::min(s.caret, s.anchor) : previousChar(s.text, s.caret)); return;
    case VK_RIGHT: moveCaret(window, s.caret != s.anchor ? std::max(s.caret, s.anchor) : nextChar(s.text, s.caret)); return;
    }
}

// The byte offset nearest to pixel X of the client area.
std::size_t offsetAt(HWND window, int x) {
    EditState& s = stateOf(window);
    int target = x - kMargin;
    std::size_t at = s.scroll;
    while (at < s.text.size()) {
        std::size_t next = nextChar(s.text, at);
        int left = widthOf(window, s.text, s.scroll, at), right = widthOf(window, s.text, s.scroll, next);
        if (target < (left + right) / 2) break;
        at = next;
    }
    return at;
}

void paint(HWND window) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(window, &ps);
    if (!dc) return;
    EditState& s = stateOf(window);
    RECT client;
    GetClientRect(window, &client);
    HBRUSH background = controlColours(window, dc, WM_CTLCOLOREDIT, COLOR_WINDOW);
    FillRect(dc, &client, background);
    HGDIOBJ old = SelectObject(dc, fontOf(window));
    TEXTMETRICA metrics{};
    GetTextMetricsA(dc, &metrics);
    SetBkMode(dc, TRANSPARENT);
    int x = kMargin - widthOf(window, s.text, 0, s.scroll);
    int y = kMargin;
    TextOutA(dc, x, y, s.text.c_str(), static_cast<int>(s.text.size()));
    std::size_t from = std::min(s.caret, s.anchor), to = std::max(s.caret, s.anchor);
    if (s.focused && from != to) {
        int left = x + widthOf(window, s.text, 0, from);
        RECT band{left, y, left + widthOf(window, s.text, from, to), y + metrics.tmHeight};
        FillRect(dc, &band, GetSysColorBrush(COLOR_HIGHLIGHT));
        SetTextColor(dc, GetSysColor(COLOR_HIGHLIGHTTEXT));
        TextOutA(dc, left, y, s.text.c_str() + from, static_cast<int>(to - from));
    }
    if (s.focused) {
        RECT caret{x + widthOf(window, s.text, 0, s.caret), y, 0, y + metrics.tmHeight};
        caret.right = caret.left + 1;
        FillRect(dc, &caret, GetSysColorBrush(COLOR_WINDOWTEXT));
    }
    SelectObject(dc, old);
    EndPaint(window, &ps);
}

LRESULT selection(HWND window, WPARAM wParam, LPARAM lParam) {
    EditState& s = stateOf(window);
    auto from = static_cast<DWORD>(std::min(s.caret, s.anchor)), to = static_cast<DWORD>(std::max(s.caret, s.anchor));
    if (wParam) *reinterpret_cast<LPDWORD>(wParam) = from;
    if (lParam) *reinterpret_cast<LPDWORD>(lParam) = to;
    return MAKELRESULT(from, to);
}

void select(HWND window, WPARAM start, LPARAM end) {
    EditState& s = stateOf(window);
    auto size = static_cast<LONG_PTR>(s.text.size());
    auto clamp = [&](LONG_PTR v) { return static_cast<std::size_t>(v < 0 || v > size ? size : v); };
    if (static_cast<int>(start) == -1) {
        s.anchor = s.caret;  // a start of -1 only removes the selection
    } else {
        s.anchor = clamp(static_cast<int>(start));
        s.caret = clamp(static_cast<int>(end));
    }
    keepCaretInView(window);
    InvalidateRect(window, nullptr, TRUE);
}

}  // namespace

LRESULT CALLBACK editProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    LRESULT common = 0;
    if (commonControlMessage(window, message, wParam, lParam, common)) return common;
    switch (message) {
    case WM_NCCREATE: {
        makeControlState<EditState>(window);
        auto create = reinterpret_cast<const CREATESTRUCTA*>(lParam);
        if (create->lpszName && !IS_INTRESOURCE(create->lpszName)) stateOf(window).text = create->lpszName;
        break;
    }
    case WM_NCDESTROY:
        deleteControlState<EditState>(window);
        forgetFont(window);
        break;
    case WM_PAINT:
        paint(window);
        return 0;
    case WM_SETTEXT: {
        EditState& s = stateOf(window);
        s.text = lParam ? reinterpret_cast<LPCSTR>(lParam) : "";
        s.caret = s.anchor = s.scroll = 0;
        s.pendingLead = -1;
        changed(window);
        return TRUE;
    }
    case WM_CHAR:
        typeChar(window, static_cast<BYTE>(wParam));
        return 0;
    case WM_KEYDOWN:
        pressKey(window, wParam);
        return 0;
    case WM_LBUTTONDOWN:
        SetFocus(window);
        moveCaret(window, offsetAt(window, static_cast<short>(LOWORD(lParam))));
        return 0;
    case WM_SETFOCUS:
        stateOf(window).focused = true;
        InvalidateRect(window, nullptr, TRUE);
        notifyParent(window, EN_SETFOCUS);
        return 0;
    case WM_KILLFOCUS:
        stateOf(window).focused = false;
        InvalidateRect(window, nullptr, TRUE);
        notifyParent(window, EN_KILLFOCUS);
        return 0;
    case WM_GETDLGCODE:
        return DLGC_WANTCHARS | DLGC_HASSETSEL | DLGC_WANTARROWS;
    case EM_GETSEL:
        return selection(window, wParam, lParam);
    case EM_SETSEL:
        select(window, wParam, lParam);
        return 0;
    case EM_LIMITTEXT:
        stateOf(window).limit = wParam ? static_cast<std::size_t>(wParam) : kNoLimit;
        return 0;
    case EM_GETLIMITTEXT:
        return static_cast<LRESULT>(stateOf(window).limit);
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace platform::dialog
