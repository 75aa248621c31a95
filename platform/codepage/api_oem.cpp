// Conversion between the PC's OEM and ANSI code pages.
#include "win/codepage.h"

#include "codepage/code_page.h"
#include "kernel/text.h"

#include <cstring>
#include <string>

using namespace platform;

namespace {

// SOURCE in code page FROM converted to TO, never longer than SOURCE: the callers' buffers are
// only as large as the source. A character whose converted form would be longer than its
// source becomes '?'.
std::string convertWithin(std::string_view source, int from, int to) {
    if (from == to) return std::string(source);
    std::string whole = text::convert(source, from, to);
    if (whole.size() <= source.size()) return whole;
    std::string result;
    while (!source.empty()) {
        std::size_t n = codepage::charLength(from, source);
        std::string one = text::convert(source.substr(0, n), from, to);
        result += one.size() <= n ? one : std::string("?");
        source.remove_prefix(n);
    }
    return result;
}

BOOL translate(LPCSTR source, LPSTR destination, int from, int to) {
    if (source == nullptr || destination == nullptr) return FALSE;
    std::string converted = convertWithin(source, from, to);
    std::memcpy(destination, converted.c_str(), converted.size() + 1);
    return TRUE;
}

}  // namespace

BOOL WINAPI OemToCharA(LPCSTR source, LPSTR destination) {
    return translate(source, destination, codepage::oemCodePage(), codepage::ansiCodePage());
}

BOOL WINAPI CharToOemA(LPCSTR source, LPSTR destination) {
    return translate(source, destination, codepage::ansiCodePage(), codepage::oemCodePage());
}
