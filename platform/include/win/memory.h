// Global memory, global atoms and the packing of DDE message parameters.
// Blocks allocated with GMEM_DDESHARE can be handed to another program of the PC in a message:
// its GlobalLock gives the same bytes.
#pragma once

#include "win/types.h"

#define ERROR_NOT_LOCKED 158L

#define GMEM_FIXED 0x0000
#define GMEM_MOVEABLE 0x0002
#define GMEM_ZEROINIT 0x0040
#define GMEM_DDESHARE 0x2000
#define GMEM_SHARE 0x2000
#define GHND (GMEM_MOVEABLE | GMEM_ZEROINIT)
#define GPTR (GMEM_FIXED | GMEM_ZEROINIT)

HGLOBAL WINAPI GlobalAlloc(UINT flags, SIZE_T bytes);
LPVOID WINAPI GlobalLock(HGLOBAL memory);
BOOL WINAPI GlobalUnlock(HGLOBAL memory);
HGLOBAL WINAPI GlobalFree(HGLOBAL memory);
SIZE_T WINAPI GlobalSize(HGLOBAL memory);

ATOM WINAPI GlobalAddAtomA(LPCSTR name);
ATOM WINAPI GlobalFindAtomA(LPCSTR name);
UINT WINAPI GlobalGetAtomNameA(ATOM atom, LPSTR buffer, int size);
ATOM WINAPI GlobalDeleteAtom(ATOM atom);

// DDE messages.
#define WM_DDE_FIRST 0x03E0
#define WM_DDE_INITIATE (WM_DDE_FIRST)
#define WM_DDE_TERMINATE (WM_DDE_FIRST + 1)
#define WM_DDE_ADVISE (WM_DDE_FIRST + 2)
#define WM_DDE_UNADVISE (WM_DDE_FIRST + 3)
#define WM_DDE_ACK (WM_DDE_FIRST + 4)
#define WM_DDE_DATA (WM_DDE_FIRST + 5)
#define WM_DDE_REQUEST (WM_DDE_FIRST + 6)
#define WM_DDE_POKE (WM_DDE_FIRST + 7)
#define WM_DDE_EXECUTE (WM_DDE_FIRST + 8)
#define WM_DDE_LAST (WM_DDE_FIRST + 8)

#define CF_TEXT 1

// The status word of WM_DDE_ACK.
struct DDEACK {
    unsigned short bAppReturnCode : 8;
    unsigned short reserved : 6;
    unsigned short fBusy : 1;
    unsigned short fAck : 1;
};

// The header of the data block of WM_DDE_DATA.
struct DDEDATA {
    unsigned short unused : 12;
    unsigned short fResponse : 1;
    unsigned short fRelease : 1;
    unsigned short reserved : 1;
    unsigned short fAckReq : 1;
    short cfFormat;
    BYTE Value[1];
};

// WM_DDE_ACK (except the answer to WM_DDE_INITIATE), WM_DDE_ADVISE, WM_DDE_DATA and WM_DDE_POKE
// carry their two values in a shared block that lParam names; the other messages carry them
// in the low and high word of lParam.
LPARAM WINAPI PackDDElParam(UINT message, UINT_PTR low, UINT_PTR high);
BOOL WINAPI UnpackDDElParam(UINT message, LPARAM lParam, PUINT_PTR low, PUINT_PTR high);
BOOL WINAPI FreeDDElParam(UINT message, LPARAM lParam);
