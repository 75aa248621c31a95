// The text search that the system-file editors and the WIN.INI program lists share.
#pragma once

#include "win/types.h"

// First place at or after the start of TEXT (N characters) where PATTERN occurs, compared without
// regard to case, outside comments: from "REM" (in any case, anywhere in a line) or ";" to the
// end of that line nothing is searched. Returns N when the pattern is not found; a match always
// lies wholly inside the N characters.
DWORD findOutsideComments(LPCSTR text, DWORD n, LPCSTR pattern);

// TRUE when A and B are the same text without regard to the case of ASCII letters.
BOOL sameTextIgnoringCase(LPCSTR a, LPCSTR b);
