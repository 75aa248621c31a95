// The LZ expand functions: files opened through them are expanded when they are in the LZ
// expand format and read unchanged otherwise. Built on the kernel's OpenFile and HFILE calls.
#pragma once

#include "win/kernel.h"
#include "win/types.h"

// Failure results (all below zero).
#define LZERROR_BADINHANDLE (-1)
#define LZERROR_BADOUTHANDLE (-2)
#define LZERROR_READ (-3)
#define LZERROR_WRITE (-4)
#define LZERROR_GLOBALLOC (-5)
#define LZERROR_GLOBLOCK (-6)
#define LZERROR_BADVALUE (-7)
#define LZERROR_UNKNOWNALG (-8)

// Opens, creates, tests or deletes a file as OpenFile does; a compressed file opened for reading
// gives a handle that reads it expanded.
INT WINAPI LZOpenFileA(LPCSTR fileName, LPOFSTRUCT reopenBuffer, WORD style);
// Gives a handle that reads an open file expanded, or FILE itself when it is not compressed.
INT WINAPI LZInit(INT file);
// Reads up to COUNT expanded bytes; the number read, or an LZERROR_ code.
INT WINAPI LZRead(INT file, LPSTR buffer, INT count);
// Moves the expanded read position (origin 0 start, 1 current, 2 end); the new position, or an LZERROR_ code.
LONG WINAPI LZSeek(INT file, LONG offset, INT origin);
// Copies SOURCE into DESTINATION, expanding it when it is compressed; the bytes written, or an LZERROR_ code.
LONG WINAPI LZCopy(INT source, INT destination);
// Closes a handle of LZOpenFileA or LZInit and the file under it.
void WINAPI LZClose(INT file);

// The older multi-file copy interface: CopyLZFile between LZStart and LZDone.
INT WINAPI LZStart();
LONG WINAPI CopyLZFile(INT source, INT destination);
void WINAPI LZDone();
