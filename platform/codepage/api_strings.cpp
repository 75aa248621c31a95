// The platform's string functions on ANSI text.
#include "win/codepage.h"

#include "codepage/code_page.h"
#include "codepage/collate.h"

#include <cstring>

using namespace platform;

namespace {

// A missing string sorts before every string, the empty one included.
int compare(LPCSTR a, LPCSTR b, bool ignoreCase) {
    if (a == nullptr || b == nullptr) return (a != nullptr) - (b != nullptr);
    return codepage::compareWords(a, b, codepage::ansiCodePage(), ignoreCase);
}

}  // namespace

int WINAPI lstrcmpA(LPCSTR string1, LPCSTR string2) { return compare(string1, string2, false); }
int WINAPI lstrcmpiA(LPCSTR string1, LPCSTR string2) { return compare(string1, string2, true); }

int WINAPI lstrlenA(LPCSTR text) { return text == nullptr ? 0 : static_cast<int>(std::strlen(text)); }

LPSTR WINAPI lstrcpyA(LPSTR destination, LPCSTR source) {
    if (destination == nullptr || source == nullptr) return nullptr;
    std::memmove(destination, source, std::strlen(source) + 1);
    return destination;
}

LPSTR WINAPI lstrcpynA(LPSTR destination, LPCSTR source, int maxLength) {
    if (destination == nullptr || source == nullptr) return nullptr;
    if (maxLength <= 0) return destination;
    std::size_t n = ::strnlen(source, static_cast<std::size_t>(maxLength - 1));
    std::memmove(destination, source, n);
    destination[n] = '\0';
    return destination;
}

LPSTR WINAPI lstrcatA(LPSTR destination, LPCSTR source) {
    if (destination == nullptr || source == nullptr) return nullptr;
    std::memmove(destination + std::strlen(destination), source, std::strlen(source) + 1);
    return destination;
}
