#include "actions/dde_engine.h"

#include "win/memory.h"
#include "win/process.h"
#include "win/user.h"

#include <cstring>

#define DDE_CLASS "ddeClass"
#define ACK_POSITIVE 0x8000

EngineState engineState;

static WPARAM clientId()
{
    return reinterpret_cast<WPARAM>(engineState.engineWindow);
}

HWND createDdeWindow(HWND parent, HINSTANCE instance)
{
    WNDCLASSA wc;
    UnregisterClassA(DDE_CLASS, instance);
    wc.style = 0;
    wc.lpfnWndProc = ddeWindowProc;
    wc.cbClsExtra = 0;
    wc.cbWndExtra = 0;
    wc.hInstance = instance;
    wc.hIcon = nullptr;
    wc.hCursor = nullptr;
    wc.hbrBackground = nullptr;
    wc.lpszMenuName = nullptr;
    wc.lpszClassName = DDE_CLASS;
    RegisterClassA(&wc);
    engineState.engineWindow =
        CreateWindowA(DDE_CLASS, nullptr, WS_CHILD, 0, 0, 0, 0, parent, nullptr, instance, nullptr);
    return engineState.engineWindow;
}

// Every server that accepts answers with an acknowledgement while the broadcast is delivered.
static HWND broadcastInitiate(ATOM service, ATOM topic)
{
    engineState.initiating = TRUE;
    SendMessageA(HWND_BROADCAST, WM_DDE_INITIATE, clientId(), MAKELPARAM(service, topic));
    engineState.initiating = FALSE;
    return engineState.partner;
}

HWND ddeInitiate(LPCSTR service, LPCSTR topic)
{
    ATOM serviceAtom = GlobalAddAtomA(service);
    ATOM topicAtom = GlobalAddAtomA(topic);
    HWND server = broadcastInitiate(serviceAtom, topicAtom);
    if (server == nullptr && WinExec(service, SW_SHOWNORMAL) > 32)
        server = broadcastInitiate(serviceAtom, topicAtom);
    if (serviceAtom)
        GlobalDeleteAtom(serviceAtom);
    if (topicAtom)
        GlobalDeleteAtom(topicAtom);
    return server;
}

// The nested loop that takes DDE messages only. Ends with the server's acknowledgement
// (lastAck), its data (1), the end of the conversation (0) or the thread's quit message (1,
// and the quit is posted again so that the program's own loop ends as well).
static LONG waitForAnswer(HWND server)
{
    MSG msg;
    for (;;) {
        BOOL got = GetMessageA(&msg, nullptr, WM_DDE_FIRST, WM_DDE_LAST);
        if (got == 0) {
            PostQuitMessage(static_cast<int>(msg.wParam));
            return 1;
        }
        if (got < 0)
            return 1;
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
        if (msg.wParam != reinterpret_cast<WPARAM>(server))
            continue;
        switch (msg.message) {
        case WM_DDE_ACK:
            return engineState.lastAck;
        case WM_DDE_DATA:
            return 1;
        case WM_DDE_TERMINATE:
            // A server that ends the conversation sends nothing after it: no answer will come.
            engineState.executePending = FALSE;
            return 0;
        }
    }
}

LONG ddeExecute(HWND server, LPCSTR command)
{
    if (engineState.partner == nullptr)
        return 0;

    size_t length = std::strlen(command);
    HGLOBAL memory = GlobalAlloc(GMEM_DDESHARE | GMEM_MOVEABLE, length + 1);
    if (memory == nullptr)
        return 0;
    LPSTR text = static_cast<LPSTR>(GlobalLock(memory));
    if (text == nullptr) {
        GlobalFree(memory);
        return 0;
    }
    std::memcpy(text, command, length + 1);
    GlobalUnlock(memory);

    engineState.executePending = TRUE;
    if (!PostMessageA(server, WM_DDE_EXECUTE, clientId(), reinterpret_cast<LPARAM>(memory))) {
        // The server is gone: no acknowledgement would ever come to end the wait.
        engineState.executePending = FALSE;
        GlobalFree(memory);
        return 0;
    }
    return waitForAnswer(server);
}

void ddeRequest(HWND server, LPCSTR item)
{
    if (engineState.partner == nullptr)
        return;
    ATOM itemAtom = GlobalAddAtomA(item);
    SendMessageA(server, WM_DDE_REQUEST, clientId(), MAKELPARAM(CF_TEXT, itemAtom));
    if (itemAtom)
        GlobalDeleteAtom(itemAtom);
}

void ddeTerminate(HWND server)
{
    if (engineState.partner == nullptr || engineState.partner != server)
        return;
    PostMessageA(server, WM_DDE_TERMINATE, clientId(), 0);
    engineState.partner = nullptr;
}

static void onAck(HWND server, LPARAM lParam)
{
    if (engineState.initiating) {
        engineState.partner = server;
        GlobalDeleteAtom(LOWORD(lParam));
        GlobalDeleteAtom(HIWORD(lParam));
        return;
    }
    UINT_PTR status = 0;
    UINT_PTR value = 0;
    UnpackDDElParam(WM_DDE_ACK, lParam, &status, &value);
    FreeDDElParam(WM_DDE_ACK, lParam);
    engineState.lastAck = static_cast<LONG>(status & ACK_POSITIVE);
    if (engineState.executePending) {
        GlobalFree(reinterpret_cast<HGLOBAL>(value));
        engineState.executePending = FALSE;
    } else {
        // The answer to anything else carries an item atom, which is now ours.
        GlobalDeleteAtom(static_cast<ATOM>(value));
    }
}

static void postAck(WORD status, ATOM item)
{
    LPARAM packed = PackDDElParam(WM_DDE_ACK, status, item);
    if (!PostMessageA(engineState.partner, WM_DDE_ACK, clientId(), packed)) {
        FreeDDElParam(WM_DDE_ACK, packed);
        GlobalDeleteAtom(item);
    }
}

// Data is taken but never used. Data in a format other than text gets a negative answer and stays
// the server's to free; text is answered when the server asks for it and freed when it says so.
static void onData(LPARAM lParam)
{
    UINT_PTR memoryValue = 0;
    UINT_PTR itemValue = 0;
    UnpackDDElParam(WM_DDE_DATA, lParam, &memoryValue, &itemValue);
    FreeDDElParam(WM_DDE_DATA, lParam);
    HGLOBAL memory = reinterpret_cast<HGLOBAL>(memoryValue);
    ATOM item = static_cast<ATOM>(itemValue);
    if (memory == nullptr)
        return;
    const DDEDATA* data = static_cast<const DDEDATA*>(GlobalLock(memory));
    if (data == nullptr)
        return;
    BOOL isText = data->cfFormat == CF_TEXT;
    BOOL ackRequested = data->fAckReq;
    BOOL release = data->fRelease;
    GlobalUnlock(memory);

    if (!isText) {
        postAck(0, item);
        return;
    }
    if (ackRequested)
        postAck(ACK_POSITIVE, item);
    else
        GlobalDeleteAtom(item);
    if (release)
        GlobalFree(memory);
}

LRESULT CALLBACK ddeWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_DDE_TERMINATE:
        ddeTerminate(reinterpret_cast<HWND>(wParam));
        return 0;
    case WM_DDE_ACK:
        onAck(reinterpret_cast<HWND>(wParam), lParam);
        return 0;
    case WM_DDE_DATA:
        onData(lParam);
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}
