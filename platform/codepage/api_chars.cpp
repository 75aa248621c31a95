// Character scanning and case in the PC's ANSI code page.
#include "win/codepage.h"
#include "win/kernel.h"

#include "codepage/code_page.h"

#include <cstring>

using namespace platform;

UINT WINAPI GetACP() { return static_cast<UINT>(codepage::ansiCodePage()); }
UINT WINAPI GetOEMCP() { return static_cast<UINT>(codepage::oemCodePage()); }

BOOL WINAPI IsDBCSLeadByte(BYTE testChar) { return codepage::isLeadByte(codepage::ansiCodePage(), testChar); }

BOOL WINAPI IsDBCSLeadByteEx(UINT codePage, BYTE testChar) {
    int page = codePage == CP_ACP     ? codepage::ansiCodePage()
               : codePage == CP_OEMCP ? codepage::oemCodePage()
                                      : static_cast<int>(codePage);
    if (!codepage::isKnown(page)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    return codepage::isLeadByte(page, testChar);
}

LPSTR WINAPI CharNextA(LPCSTR current) {
    if (current == nullptr || *current == '\0') return const_cast<LPSTR>(current);
    std::string_view rest(current, current[1] == '\0' ? 1 : 2);
    return const_cast<LPSTR>(current + codepage::charLength(codepage::ansiCodePage(), rest));
}

LPSTR WINAPI CharPrevA(LPCSTR start, LPCSTR current) {
    if (start == nullptr || current <= start) return const_cast<LPSTR>(start);
    // Only a walk from the start knows whether a byte is a trail byte.
    LPCSTR p = start;
    for (;;) {
        LPCSTR next = CharNextA(p);
        if (next == p || next >= current) return const_cast<LPSTR>(p);
        p = next;
    }
}

namespace {

bool isSingleCharacter(LPCSTR text) { return (reinterpret_cast<ULONG_PTR>(text) >> 16) == 0; }

template <typename Convert>
LPSTR convertCase(LPSTR text, Convert convert) {
    int page = codepage::ansiCodePage();
    if (isSingleCharacter(text)) {
        BYTE converted = convert(page, LOBYTE(reinterpret_cast<ULONG_PTR>(text)));
        return reinterpret_cast<LPSTR>(static_cast<ULONG_PTR>(converted));
    }
    for (char* p = text; *p != '\0'; p = CharNextA(p)) {
        if (p[1] != '\0' && codepage::isLeadByte(page, static_cast<BYTE>(*p))) continue;
        *p = static_cast<char>(convert(page, static_cast<BYTE>(*p)));
    }
    return text;
}

}  // namespace

LPSTR WINAPI CharUpperA(LPSTR text) { return convertCase(text, codepage::toUpper); }
LPSTR WINAPI CharLowerA(LPSTR text) { return convertCase(text, codepage::toLower); }
