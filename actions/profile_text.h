// Reading values of initialization files whole. A value is never cut: what is written back is
// what was read, so another program's part of a long value is never lost.
#pragma once

#include "win/types.h"

#include <string>

// The value of KEY in SECTION of FILE (nullptr: WIN.INI), empty when missing.
std::string readWholeProfileString(LPCSTR file, LPCSTR section, LPCSTR key);

// Reads an action entry into ENTRY of CAPACITY bytes. FALSE (and ENTRY empty) when the entry has
// more than CAPACITY - 1 characters: such an entry is not to be acted upon in part.
BOOL readActionEntry(LPCSTR file, LPCSTR section, LPCSTR key, LPSTR entry, size_t capacity);
