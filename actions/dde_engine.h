// The DDE conversation engine: a hidden client window that talks to one server at a time with
// the raw DDE messages, global atoms for names and shared global memory for command strings.
#pragma once

#include "win/types.h"

// The engine's program-wide state; one instance per program.
struct EngineState {
    HWND engineWindow;   // the client's identity in every message the engine sends
    HWND partner;        // server of the open conversation, or nullptr
    BOOL initiating;     // only while an initiation broadcast is being delivered
    LONG lastAck;        // 0x8000 or 0: fAck of the last acknowledgement outside an initiation
    BOOL executePending; // from posting an execute until its command memory is released
};

extern EngineState engineState;

// Registers the class "ddeClass" anew and creates the hidden engine window as a child of PARENT.
HWND createDdeWindow(HWND parent, HINSTANCE instance);

// Opens a conversation with the server of SERVICE and TOPIC; when none answers, starts SERVICE as
// a program and asks once more. The server window, or nullptr.
HWND ddeInitiate(LPCSTR service, LPCSTR topic);

// Sends COMMAND to SERVER and waits for the answer: 0x8000 or 0 (the acknowledgement), 1 when the
// server sent data instead, 0 when nothing was sent.
LONG ddeExecute(HWND server, LPCSTR command);

// Asks SERVER for ITEM as text; the data, when it comes, is taken by the engine window.
void ddeRequest(HWND server, LPCSTR item);

// Ends the conversation with SERVER when it is the open one.
void ddeTerminate(HWND server);

LRESULT CALLBACK ddeWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
