// Profile functions: values in initialization files (private files and WIN.INI).
//
// A file name without a directory part names a file in the Windows directory. Sections and keys
// are matched without regard to case; a write keeps every other line of the file as it was.
#pragma once

#include "win/types.h"

// Reading. With a NULL section the buffer receives the names of all sections, with a NULL key the
// names of all keys of the section: each name followed by a zero, the list ended by a second zero.
DWORD WINAPI GetPrivateProfileStringA(LPCSTR section, LPCSTR key, LPCSTR defaultValue, LPSTR buffer, DWORD size,
                                      LPCSTR fileName);
UINT WINAPI GetPrivateProfileIntA(LPCSTR section, LPCSTR key, INT defaultValue, LPCSTR fileName);
// The section's lines "key=value", each followed by a zero, the list ended by a second zero.
DWORD WINAPI GetPrivateProfileSectionA(LPCSTR section, LPSTR buffer, DWORD size, LPCSTR fileName);

// Writing. A NULL value deletes the key, a NULL key deletes the whole section; with section, key
// and value all NULL the copy of the file kept by this process is dropped (and FALSE returned).
BOOL WINAPI WritePrivateProfileStringA(LPCSTR section, LPCSTR key, LPCSTR value, LPCSTR fileName);
// Replaces the key lines of the section by LINES: "key=value" strings, each followed by a zero,
// the list ended by a second zero.
BOOL WINAPI WritePrivateProfileSectionA(LPCSTR section, LPCSTR lines, LPCSTR fileName);

// The same on WIN.INI in the Windows directory.
DWORD WINAPI GetProfileStringA(LPCSTR section, LPCSTR key, LPCSTR defaultValue, LPSTR buffer, DWORD size);
UINT WINAPI GetProfileIntA(LPCSTR section, LPCSTR key, INT defaultValue);
BOOL WINAPI WriteProfileStringA(LPCSTR section, LPCSTR key, LPCSTR value);
