// Basic types of the 32-bit Windows API as the kit's programs use them.
// Sizes follow the 32-bit platform where the programs depend on them (DWORD, WORD, BYTE);
// handles are opaque pointers and pointer-sized message parameters.
#pragma once

#include <cstddef>
#include <cstdint>

#define WINAPI
#define CALLBACK
#define APIENTRY

using BOOL = int;
using BYTE = std::uint8_t;
using WORD = std::uint16_t;
using DWORD = std::uint32_t;
using UINT = unsigned int;
using INT = int;
using LONG = std::int32_t;
using ULONG = std::uint32_t;
using SHORT = std::int16_t;
using USHORT = std::uint16_t;
using CHAR = char;
using UCHAR = unsigned char;
using INT_PTR = std::intptr_t;
using UINT_PTR = std::uintptr_t;
using LONG_PTR = std::intptr_t;
using ULONG_PTR = std::uintptr_t;
using DWORD_PTR = std::uintptr_t;
using SIZE_T = std::size_t;
using LPVOID = void*;
using LPCVOID = const void*;
using LPSTR = char*;
using LPCSTR = const char*;
using PSTR = char*;
using PCSTR = const char*;
using LPBYTE = BYTE*;
using LPDWORD = DWORD*;
using PDWORD = DWORD*;
using LPLONG = LONG*;
using LPINT = INT*;
using LPBOOL = BOOL*;
using LPWORD = WORD*;

using PDWORD_PTR = DWORD_PTR*;
using PUINT_PTR = UINT_PTR*;

using WPARAM = UINT_PTR;
using LPARAM = LONG_PTR;
using LRESULT = LONG_PTR;
using ATOM = WORD;
using COLORREF = DWORD;
using LCID = DWORD;
using HFILE = int;
using REGSAM = DWORD;

// Opaque handles: distinct pointer types so that a window is never passed where a brush is meant.
#define KIT_DECLARE_HANDLE(name) \
    struct name##__ { int unused; }; \
    using name = name##__*
KIT_DECLARE_HANDLE(HWND);
KIT_DECLARE_HANDLE(HINSTANCE);
KIT_DECLARE_HANDLE(HKEY);
KIT_DECLARE_HANDLE(HMENU);
KIT_DECLARE_HANDLE(HICON);
KIT_DECLARE_HANDLE(HBRUSH);
KIT_DECLARE_HANDLE(HPEN);
KIT_DECLARE_HANDLE(HFONT);
KIT_DECLARE_HANDLE(HBITMAP);
KIT_DECLARE_HANDLE(HDC);
KIT_DECLARE_HANDLE(HRSRC);
KIT_DECLARE_HANDLE(HRGN);
#undef KIT_DECLARE_HANDLE
using HANDLE = void*;
using PHANDLE = HANDLE*;
using HMODULE = HINSTANCE;
using HCURSOR = HICON;
using HGDIOBJ = void*;
using HGLOBAL = HANDLE;
using HLOCAL = HANDLE;
using PHKEY = HKEY*;

#define TRUE 1
#define FALSE 0
#define MAX_PATH 260
#define INVALID_HANDLE_VALUE (reinterpret_cast<HANDLE>(static_cast<LONG_PTR>(-1)))
#define HFILE_ERROR (static_cast<HFILE>(-1))

#define LOWORD(l) (static_cast<WORD>(static_cast<DWORD_PTR>(l) & 0xffff))
#define HIWORD(l) (static_cast<WORD>((static_cast<DWORD_PTR>(l) >> 16) & 0xffff))
#define LOBYTE(w) (static_cast<BYTE>(static_cast<DWORD_PTR>(w) & 0xff))
#define HIBYTE(w) (static_cast<BYTE>((static_cast<DWORD_PTR>(w) >> 8) & 0xff))
#define MAKELONG(a, b) \
    (static_cast<LONG>(static_cast<WORD>(static_cast<DWORD_PTR>(a) & 0xffff) | \
                       (static_cast<DWORD>(static_cast<WORD>(static_cast<DWORD_PTR>(b) & 0xffff)) << 16)))
#define MAKEWORD(a, b) \
    (static_cast<WORD>(static_cast<BYTE>(a) | (static_cast<WORD>(static_cast<BYTE>(b)) << 8)))
#define MAKEWPARAM(l, h) (static_cast<WPARAM>(static_cast<DWORD>(MAKELONG(l, h))))
#define MAKELPARAM(l, h) (static_cast<LPARAM>(static_cast<DWORD>(MAKELONG(l, h))))
#define MAKELRESULT(l, h) (static_cast<LRESULT>(static_cast<DWORD>(MAKELONG(l, h))))
#define RGB(r, g, b) \
    (static_cast<COLORREF>(static_cast<BYTE>(r) | (static_cast<WORD>(static_cast<BYTE>(g)) << 8) | \
                           (static_cast<DWORD>(static_cast<BYTE>(b)) << 16)))
#define GetRValue(c) (LOBYTE(c))
#define GetGValue(c) (LOBYTE(static_cast<WORD>(c) >> 8))
#define GetBValue(c) (LOBYTE((c) >> 16))

struct POINT {
    LONG x;
    LONG y;
};
using LPPOINT = POINT*;

struct SIZE {
    LONG cx;
    LONG cy;
};
using LPSIZE = SIZE*;

struct RECT {
    LONG left;
    LONG top;
    LONG right;
    LONG bottom;
};
using LPRECT = RECT*;
using LPCRECT = const RECT*;

struct SECURITY_ATTRIBUTES {
    DWORD nLength;
    LPVOID lpSecurityDescriptor;
    BOOL bInheritHandle;
};
using LPSECURITY_ATTRIBUTES = SECURITY_ATTRIBUTES*;

struct FILETIME {
    DWORD dwLowDateTime;
    DWORD dwHighDateTime;
};
using LPFILETIME = FILETIME*;
