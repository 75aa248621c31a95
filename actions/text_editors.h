// The editors of the system's start-up and initialization text files: a line in the [COMMON]
// block of CONFIG.SYS, a line at the end of AUTOEXEC.BAT, a line cut out of either, and a driver
// line added to or removed from a section of SYSTEM.INI. Each edits the whole file and writes it
// through a working copy; a file that cannot be read or written is left as it was.
// The results are 1 when the file was changed, 0 otherwise; the profile actions go on regardless.
#pragma once

#include "win/types.h"

int addConfigSysLine(LPCSTR line);
int addAutoexecLine(LPCSTR line);
// FILE is "C:\CONFIG.SYS" or "C:\AUTOEXEC.BAT"; its copy before the edit stays as C:\CONFIG.TMP or
// C:\AUTOEXEC.TMP.
int removeBootFileLine(LPCSTR file, LPCSTR line);

// KEY=VALUE as the first line of [SECTION] of SYSTEM.INI, unless VALUE already follows the header.
int addSystemIniDevice(LPCSTR section, LPCSTR key, LPCSTR value);
// Removes the driver line device=VALUE when [SECTION] exists and VALUE follows its header.
int removeSystemIniDevice(LPCSTR section, LPCSTR value);

// The rewriting steps of the two above on FILE_NAME in the Windows directory; the file's copy
// before the edit stays beside it with the extension TMP.
int insertIniKeyLine(LPCSTR section, LPCSTR key, LPCSTR value, LPCSTR fileName);
int removeIniDeviceLine(LPCSTR value, LPCSTR fileName);
