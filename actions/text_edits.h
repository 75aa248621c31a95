// The line edits of CONFIG.SYS, AUTOEXEC.BAT and SYSTEM.INI on text in memory.
// The editors read the whole file, edit it here and write it back, so nothing beyond the edited
// line changes. A new line takes the line end of the line it follows (CR LF, or LF alone in a file
// written that way); where there is none, CR LF.
#pragma once

#include "win/types.h"

#include <string>

// CONFIG.SYS with LINE as the first line of its [COMMON] block (the header is written in upper
// case); without such a block, "[COMMON]" and the line are appended. FALSE when the text already
// holds the line outside comments (or the line is empty): nothing to add.
BOOL configSysWithLine(const std::string& text, LPCSTR line, std::string& result);

// AUTOEXEC.BAT with LINE appended after a CR LF. FALSE when the line is empty.
BOOL autoexecWithLine(const std::string& text, LPCSTR line, std::string& result);

// TEXT without the first occurrence of PATTERN outside comments; the rest of its line and the line
// end stay. FALSE when the pattern is not found.
BOOL textWithoutPattern(const std::string& text, LPCSTR pattern, std::string& result);

// INI text with KEY=VALUE as the first line of the section headed "[SECTION]" (the header is
// written as given). FALSE when the header is not found.
BOOL iniWithKeyLine(const std::string& text, LPCSTR section, LPCSTR key, LPCSTR value,
                    std::string& result);

// INI text without the first driver line "device=VALUE" (any case, blanks before it allowed) that
// ends right after the value, together with its line end. FALSE when there is none.
BOOL iniWithoutDeviceLine(const std::string& text, LPCSTR value, std::string& result);
