// Code pages and the platform's string functions. Text is bytes in the PC's ANSI code page;
// a double-byte code page (949) has lead bytes that start a two-byte character.
#pragma once

#include "win/types.h"

#define CP_ACP 0
#define CP_OEMCP 1

UINT WINAPI GetACP();
UINT WINAPI GetOEMCP();

BOOL WINAPI IsDBCSLeadByte(BYTE testChar);
BOOL WINAPI IsDBCSLeadByteEx(UINT codePage, BYTE testChar);

LPSTR WINAPI CharNextA(LPCSTR current);
LPSTR WINAPI CharPrevA(LPCSTR start, LPCSTR current);

// A pointer whose high word is zero is one character in its low byte; the result then holds the
// converted character in the same way. Otherwise the string is converted in place.
LPSTR WINAPI CharUpperA(LPSTR text);
LPSTR WINAPI CharLowerA(LPSTR text);

int WINAPI lstrcmpA(LPCSTR string1, LPCSTR string2);
int WINAPI lstrcmpiA(LPCSTR string1, LPCSTR string2);
int WINAPI lstrlenA(LPCSTR text);
LPSTR WINAPI lstrcpyA(LPSTR destination, LPCSTR source);
LPSTR WINAPI lstrcpynA(LPSTR destination, LPCSTR source, int maxLength);
LPSTR WINAPI lstrcatA(LPSTR destination, LPCSTR source);

// Source and destination may be the same buffer; the result is never longer than the source.
BOOL WINAPI OemToCharA(LPCSTR source, LPSTR destination);
BOOL WINAPI CharToOemA(LPCSTR source, LPSTR destination);
