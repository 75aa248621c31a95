// Whole-file reading and writing, and the expanding file copy, for the system-file editors.
#pragma once

#include "win/types.h"

#include <string>

// Reads the whole file PATH into TEXT. FALSE when it cannot be opened or read.
BOOL readWholeFile(LPCSTR path, std::string& text);

// Replaces the contents of PATH with TEXT. With CREATE set the file is created when missing
// (or emptied when present); otherwise it must exist. FALSE when any part fails.
BOOL writeWholeFile(LPCSTR path, const std::string& text, BOOL create);

// Copies FROM to TO with the LZ expand file copy (a file that is not compressed is copied
// unchanged), creating or replacing TO. A missing FROM leaves TO empty. FALSE when TO cannot be
// created or the copy fails (TO may then hold part of FROM).
BOOL copyFileExpanding(LPCSTR from, LPCSTR to);

// The working copy of PATH: its path with the extension of its file name replaced by "TMP"
// (C:\CONFIG.SYS -> C:\CONFIG.TMP); a name without an extension gets ".TMP". FALSE when the
// result does not fit CAPACITY.
BOOL workingCopyName(LPCSTR path, LPSTR result, size_t capacity);

// Opens PATH for reading and writing (creating it empty when CREATE is set and it is missing), as
// an edit needs, and reads it whole into TEXT. FALSE when it cannot be opened so (a read-only file
// among them) or read.
BOOL readWholeFileForEdit(LPCSTR path, std::string& text, BOOL create);
