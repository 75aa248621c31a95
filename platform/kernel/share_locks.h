// Sharing modes of open files, kept across processes with open-file-description locks on bytes far
// beyond any file's end: every open holds a shared lock on the bytes that say what it does (reads,
// writes) and what it refuses to others (reading, writing, deleting). A new open, or a deletion,
// tests the bytes that would conflict with it.
#pragma once

#include "win/types.h"

namespace platform::files {

// Tests whether an open with ACCESS and SHAREMODE would conflict with the opens of others, and if
// not, takes its locks on FD. Returns false on a conflict (nothing taken).
bool takeShareLocks(int fd, DWORD access, DWORD shareMode);

// True when some open of the file at FD refuses deletion.
bool deletionRefused(int fd);

}  // namespace platform::files
