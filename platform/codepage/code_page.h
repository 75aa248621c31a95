// What the platform knows of a code page: which bytes lead a double-byte character and how
// single-byte letters change case. Everything takes the code page number explicitly; the PC's
// own pages come from ansiCodePage() and oemCodePage().
#pragma once

#include <string>
#include <string_view>

namespace platform::codepage {

// True for the code pages this platform can scan (949, 1252 and the OEM pages 437 and 850).
bool isKnown(int codePage);
bool isLeadByte(int codePage, unsigned char byte);

// Case of a single-byte character; bytes without case come back unchanged.
unsigned char toUpper(int codePage, unsigned char byte);
unsigned char toLower(int codePage, unsigned char byte);

// Byte length of the character at TEXT's start: 2 for a lead byte with its trail, else 1 (0 at the end).
std::size_t charLength(int codePage, std::string_view text);

// TEXT with every single-byte letter upper-cased; double-byte characters stay as they are.
// Two names are the same without regard to case when their folded forms are equal.
std::string folded(std::string_view text, int codePage);

// The PC's ANSI and OEM code pages.
int ansiCodePage();
int oemCodePage();

}  // namespace platform::codepage
