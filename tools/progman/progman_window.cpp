#include "progman_window.h"

#include "command_interpreter.h"
#include "dde_service.h"

#include "win/gdi.h"
#include "win/memory.h"
#include "win/paint.h"
#include "win/user.h"

#include <algorithm>
#include <cstddef>
#include <cstring>
#include <optional>
#include <string>
#include <vector>

namespace {

// Program-wide state of Program Manager: one instance, alive for the process.
struct ProgmanState {
    progman::CommandInterpreter commands;
    std::vector<HWND> conversations;  // clients whose conversation is open
};
ProgmanState g_progman;

constexpr WORD kAckPositive = 0x8000;
constexpr int kMargin = 4;       // client pixels left of and above the list
constexpr int kItemIndent = 32;  // where item names begin

bool inConversation(HWND client) {
    return std::find(g_progman.conversations.begin(), g_progman.conversations.end(), client) !=
           g_progman.conversations.end();
}

std::string atomName(ATOM atom) {
    if (atom == 0) return {};
    char name[256] = {};
    GlobalGetAtomNameA(atom, name, sizeof name);
    return name;
}

// Posts an acknowledgement carrying STATUS and VALUE (packed); releases the packed parameter
// when the client is gone.
bool postAck(HWND window, HWND client, WORD status, UINT_PTR value) {
    LPARAM packed = PackDDElParam(WM_DDE_ACK, status, value);
    if (PostMessageA(client, WM_DDE_ACK, reinterpret_cast<WPARAM>(window), packed)) return true;
    FreeDDElParam(WM_DDE_ACK, packed);
    return false;
}

// Ends every open conversation: the clients get a terminate and need not answer it.
void terminateConversations(HWND window) {
    for (HWND client : g_progman.conversations)
        PostMessageA(client, WM_DDE_TERMINATE, reinterpret_cast<WPARAM>(window), 0);
    g_progman.conversations.clear();
}

void onInitiate(HWND window, HWND client, LPARAM lParam) {
    if (!progman::acceptsConversation(atomName(LOWORD(lParam)), atomName(HIWORD(lParam)))) return;
    // The atoms of the answer are the client's to delete.
    ATOM service = GlobalAddAtomA(progman::kServiceName);
    ATOM topic = GlobalAddAtomA(progman::kServiceName);
    SendMessageA(client, WM_DDE_ACK, reinterpret_cast<WPARAM>(window), MAKELPARAM(service, topic));
    if (!inConversation(client)) g_progman.conversations.push_back(client);
}

void onExecute(HWND window, HWND client, HGLOBAL commands) {
    progman::ExecuteResult result;
    if (const char* text = static_cast<const char*>(GlobalLock(commands))) {
        result = g_progman.commands.execute(std::string(text, strnlen(text, GlobalSize(commands))));
        GlobalUnlock(commands);
    }
    // The command memory goes back with the answer; the client frees it.
    if (!postAck(window, client, result.acknowledged ? kAckPositive : 0, reinterpret_cast<UINT_PTR>(commands)))
        GlobalFree(commands);
    InvalidateRect(window, nullptr, TRUE);
    if (result.exitRequested) DestroyWindow(window);
}

// Text data for the request, in a block the client releases (fRelease set, no ack asked).
HGLOBAL requestData(const std::string& text) {
    HGLOBAL data = GlobalAlloc(GMEM_MOVEABLE | GMEM_DDESHARE, offsetof(DDEDATA, Value) + text.size() + 1);
    auto* header = static_cast<DDEDATA*>(GlobalLock(data));
    if (header == nullptr) {
        if (data) GlobalFree(data);
        return nullptr;
    }
    header->unused = 0;
    header->fResponse = 1;
    header->fRelease = 1;
    header->reserved = 0;
    header->fAckReq = 0;
    header->cfFormat = CF_TEXT;
    std::memcpy(header->Value, text.c_str(), text.size() + 1);
    GlobalUnlock(data);
    return data;
}

void onRequest(HWND window, HWND client, LPARAM lParam) {
    const std::string item = atomName(HIWORD(lParam));
    std::optional<std::string> text;
    if (LOWORD(lParam) == CF_TEXT) text = progman::requestText(item, progman::GroupStore());
    // The client deletes its own item atom when its request returns: the answer carries another.
    ATOM answerItem = GlobalAddAtomA(item.c_str());
    if (HGLOBAL data = text ? requestData(*text) : nullptr) {
        LPARAM packed = PackDDElParam(WM_DDE_DATA, reinterpret_cast<UINT_PTR>(data), answerItem);
        if (PostMessageA(client, WM_DDE_DATA, reinterpret_cast<WPARAM>(window), packed)) return;
        FreeDDElParam(WM_DDE_DATA, packed);
        GlobalFree(data);
        GlobalDeleteAtom(answerItem);
        return;
    }
    if (!postAck(window, client, 0, answerItem)) GlobalDeleteAtom(answerItem);
}

// Poke and advise links are not offered: a negative acknowledgement with the item.
void refuse(HWND window, HWND client, UINT message, LPARAM lParam) {
    UINT_PTR low = 0, item = 0;
    if (message == WM_DDE_UNADVISE) {
        item = HIWORD(lParam);
    } else {
        UnpackDDElParam(message, lParam, &low, &item);
        FreeDDElParam(message, lParam);
    }
    postAck(window, client, 0, item);
}

void onTerminate(HWND window, HWND client) {
    auto found = std::find(g_progman.conversations.begin(), g_progman.conversations.end(), client);
    // A terminate from a client that is no longer in conversation answers our own: nothing to do.
    if (found == g_progman.conversations.end()) return;
    g_progman.conversations.erase(found);
    PostMessageA(client, WM_DDE_TERMINATE, reinterpret_cast<WPARAM>(window), 0);
}


// The groups, each with its items indented below it, one line each.
void paintGroups(HWND window) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(window, &ps);
    HGDIOBJ oldFont = SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT));
    TEXTMETRICA metrics{};
    GetTextMetricsA(dc, &metrics);
    const int lineHeight = metrics.tmHeight + metrics.tmExternalLeading;
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
    int y = kMargin;
    for (const progman::ProgramGroup& group : progman::GroupStore().list().groups) {
        TextOutA(dc, kMargin, y, group.name.c_str(), static_cast<int>(group.name.size()));
        y += lineHeight;
        for (const progman::ProgramItem& item : group.items) {
            TextOutA(dc, kItemIndent, y, item.name.c_str(), static_cast<int>(item.name.size()));
            y += lineHeight;
        }
    }
    SelectObject(dc, oldFont);
    EndPaint(window, &ps);
}

}  // namespace

LRESULT CALLBACK ProgmanWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    HWND client = reinterpret_cast<HWND>(wParam);
    switch (message) {
    case WM_DDE_INITIATE:
        onInitiate(window, client, lParam);
        return 0;
    case WM_DDE_EXECUTE:
        onExecute(window, client, reinterpret_cast<HGLOBAL>(lParam));
        return 0;
    case WM_DDE_REQUEST:
        onRequest(window, client, lParam);
        return 0;
    case WM_DDE_POKE:
    case WM_DDE_ADVISE:
    case WM_DDE_UNADVISE:
        refuse(window, client, message, lParam);
        return 0;
    case WM_DDE_ACK: {
        // Only answers to data we never asked to be acknowledged: release what they carry.
        UINT_PTR status = 0, item = 0;
        UnpackDDElParam(message, lParam, &status, &item);
        FreeDDElParam(message, lParam);
        GlobalDeleteAtom(static_cast<ATOM>(item));
        return 0;
    }
    case WM_DDE_TERMINATE:
        onTerminate(window, client);
        return 0;
    case WM_PAINT:
        paintGroups(window);
        return 0;
    case WM_DESTROY:
        terminateConversations(window);
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

HWND createProgmanWindow(HINSTANCE instance, int showCommand) {
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = ProgmanWndProc;
    windowClass.hInstance = instance;
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    windowClass.lpszClassName = kProgmanClass;
    if (!RegisterClassA(&windowClass)) return nullptr;
    g_progman = ProgmanState{};
    HWND window = CreateWindowA(kProgmanClass, kProgmanTitle, WS_OVERLAPPEDWINDOW, CW_USEDEFAULT, CW_USEDEFAULT,
                                CW_USEDEFAULT, CW_USEDEFAULT, nullptr, nullptr, instance, nullptr);
    if (window == nullptr) return nullptr;
    ShowWindow(window, showCommand);
    UpdateWindow(window);
    return window;
}
