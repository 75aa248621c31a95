// List boxes of one selection: strings added, inserted, sorted or removed, one selected item,
// chosen by the mouse or the arrow keys.
#include "dialog/control_state.h"
#include "dialog/controls.h"
#include "win/codepage.h"
#include "win/paint.h"

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

namespace platform::dialog {
namespace {

struct ListBoxState {
    std::vector<std::string> items;
    int selected = LB_ERR;
    int top = 0;
};

ListBoxState& stateOf(HWND window) { return *stateOfControl<ListBoxState>(window); }
DWORD styleOf(HWND window) { return static_cast<DWORD>(GetWindowLongA(window, GWL_STYLE)); }

int itemHeight(HWND window) {
    HDC dc = CreateCompatibleDC(nullptr);
    SelectObject(dc, fontOf(window));
    TEXTMETRICA metrics{};
    GetTextMetricsA(dc, &metrics);
    DeleteDC(dc);
    return std::max(1, static_cast<int>(metrics.tmHeight));
}

bool validIndex(const ListBoxState& s, WPARAM index) { return static_cast<std::size_t>(index) < s.items.size(); }

LRESULT insertAt(HWND window, std::size_t at, LPCSTR text) {
    ListBoxState& s = stateOf(window);
    s.items.insert(s.items.begin() + static_cast<std::ptrdiff_t>(at), text ? text : "");
    if (s.selected != LB_ERR && static_cast<std::size_t>(s.selected) >= at) ++s.selected;
    InvalidateRect(window, nullptr, TRUE);
    return static_cast<LRESULT>(at);
}

LRESULT add(HWND window, LPCSTR text) {
    ListBoxState& s = stateOf(window);
    std::size_t at = s.items.size();
    if (styleOf(window) & LBS_SORT) {
        auto it = std::upper_bound(s.items.begin(), s.items.end(), std::string(text ? text : ""),
                                   [](const std::string& a, const std::string& b) { return lstrcmpiA(a.c_str(), b.c_str()) < 0; });
        at = static_cast<std::size_t>(it - s.items.begin());
    }
    return insertAt(window, at, text);
}

void keepSelectionInView(HWND window) {
    ListBoxState& s = stateOf(window);
    if (s.selected == LB_ERR) return;
    RECT client;
    GetClientRect(window, &client);
    int visible = std::max(1, static_cast<int>(client.bottom) / itemHeight(window));
    if (s.selected < s.top) s.top = s.selected;
    if (s.selected >= s.top + visible) s.top = s.selected - visible + 1;
}

void choose(HWND window, int index) {
    ListBoxState& s = stateOf(window);
    if (index < 0 || static_cast<std::size_t>(index) >= s.items.size() || index == s.selected) return;
    s.selected = index;
    keepSelectionInView(window);
    InvalidateRect(window, nullptr, TRUE);
    if (styleOf(window) & LBS_NOTIFY) notifyParent(window, LBN_SELCHANGE);
}

void paint(HWND window) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(window, &ps);
    if (!dc) return;
    ListBoxState& s = stateOf(window);
    RECT client;
    GetClientRect(window, &client);
    FillRect(dc, &client, controlColours(window, dc, WM_CTLCOLORLISTBOX, COLOR_WINDOW));
    HGDIOBJ old = SelectObject(dc, fontOf(window));
    SetBkMode(dc, TRANSPARENT);
    int height = itemHeight(window);
    for (int i = s.top, y = 0; i < static_cast<int>(s.items.size()) && y < client.bottom; ++i, y += height) {
        RECT row{0, y, client.right, y + height};
        bool chosen = i == s.selected;
        if (chosen) FillRect(dc, &row, GetSysColorBrush(COLOR_HIGHLIGHT));
        SetTextColor(dc, GetSysColor(chosen ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
        const std::string& text = s.items[static_cast<std::size_t>(i)];
        TextOutA(dc, 2, y, text.c_str(), static_cast<int>(text.size()));
    }
    SelectObject(dc, old);
    EndPaint(window, &ps);
}

}  // namespace

LRESULT CALLBACK listBoxProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    LRESULT common = 0;
    if (commonControlMessage(window, message, wParam, lParam, common)) return common;
    switch (message) {
    case WM_NCCREATE:
        makeControlState<ListBoxState>(window);
        break;
    case WM_NCDESTROY:
        deleteControlState<ListBoxState>(window);
        forgetFont(window);
        break;
    case WM_PAINT:
        paint(window);
        return 0;
    case WM_GETDLGCODE:
        return DLGC_WANTARROWS | DLGC_WANTCHARS;
    case WM_LBUTTONDOWN: {
        SetFocus(window);
        int y = static_cast<short>(HIWORD(lParam));
        if (y >= 0) choose(window, stateOf(window).top + y / itemHeight(window));
        return 0;
    }
    case WM_KEYDOWN: {
        ListBoxState& s = stateOf(window);
        int last = static_cast<int>(s.items.size()) - 1;
        if (wParam == VK_UP) choose(window, s.selected == LB_ERR ? 0 : std::max(0, s.selected - 1));
        else if (wParam == VK_DOWN) choose(window, s.selected == LB_ERR ? 0 : std::min(last, s.selected + 1));
        else if (wParam == VK_HOME) choose(window, 0);
        else if (wParam == VK_END) choose(window, last);
        return 0;
    }
    case LB_ADDSTRING:
        return add(window, reinterpret_cast<LPCSTR>(lParam));
    case LB_INSERTSTRING: {
        ListBoxState& s = stateOf(window);
        auto index = static_cast<int>(wParam);
        if (index == -1) return insertAt(window, s.items.size(), reinterpret_cast<LPCSTR>(lParam));
        if (index < 0 || static_cast<std::size_t>(index) > s.items.size()) return LB_ERR;
        return insertAt(window, static_cast<std::size_t>(index), reinterpret_cast<LPCSTR>(lParam));
    }
    case LB_DELETESTRING: {
        ListBoxState& s = stateOf(window);
        if (!validIndex(s, wParam)) return LB_ERR;
        auto index = static_cast<int>(wParam);
        s.items.erase(s.items.begin() + index);
        if (s.selected == index) s.selected = LB_ERR;
        else if (s.selected > index) --s.selected;
        s.top = std::min(s.top, std::max(0, static_cast<int>(s.items.size()) - 1));
        InvalidateRect(window, nullptr, TRUE);
        return static_cast<LRESULT>(s.items.size());
    }
    case LB_RESETCONTENT: {
        ListBoxState& s = stateOf(window);
        s.items.clear();
        s.selected = LB_ERR;
        s.top = 0;
        InvalidateRect(window, nullptr, TRUE);
        return 0;
    }
    case LB_GETCOUNT:
        return static_cast<LRESULT>(stateOf(window).items.size());
    case LB_GETCURSEL:
        return stateOf(window).selected;
    case LB_SETCURSEL: {
        ListBoxState& s = stateOf(window);
        auto index = static_cast<int>(wParam);
        if (index == -1 || !validIndex(s, wParam)) {
            // -1 clears the selection and still answers LB_ERR, as does an index past the end.
            if (index == -1) s.selected = LB_ERR;
            InvalidateRect(window, nullptr, TRUE);
            return LB_ERR;
        }
        s.selected = index;
        keepSelectionInView(window);
        InvalidateRect(window, nullptr, TRUE);
        return index;
    }
    case LB_GETTEXT: {
        ListBoxState& s = stateOf(window);
        if (!validIndex(s, wParam) || !lParam) return LB_ERR;
        const std::string& text = s.items[wParam];
        std::memcpy(reinterpret_cast<char*>(lParam), text.c_str(), text.size() + 1);
        return static_cast<LRESULT>(text.size());
    }
    case LB_GETTEXTLEN: {
        ListBoxState& s = stateOf(window);
        if (!validIndex(s, wParam)) return LB_ERR;
        return static_cast<LRESULT>(s.items[wParam].size());
    }
    case LB_GETTOPINDEX:
        return stateOf(window).top;
    case LB_SETTOPINDEX: {
        ListBoxState& s = stateOf(window);
        if (!validIndex(s, wParam)) return LB_ERR;
        s.top = static_cast<int>(wParam);
        InvalidateRect(window, nullptr, TRUE);
        return LB_OKAY;
    }
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace platform::dialog
