// Text output and measurement.
#include <cstring>

#include "gdi/codepage.h"
#include "gdi/device_context.h"
#include "gdi/display.h"
#include "gdi/text_run.h"
#include "win/gdi.h"

using namespace platform::gdi;

BOOL WINAPI TextOutA(HDC handle, int x, int y, LPCSTR text, int length) {
    auto dc = findDc(handle);
    if (!dc || (!text && length > 0) || length < 0) return FALSE;
    auto font = fontOf(*dc);
    if (!font) return FALSE;
    drawRun(*dc, *font, x, y, decodeText(text, length));
    return TRUE;
}

BOOL WINAPI GetTextExtentPoint32A(HDC handle, LPCSTR text, int length, LPSIZE size) {
    auto dc = findDc(handle);
    if (!dc || !size || length < 0 || (!text && length > 0)) return FALSE;
    auto font = fontOf(*dc);
    if (!font) return FALSE;
    size->cx = runWidth(*font, decodeText(text, length));
    size->cy = font->metrics().tmHeight;
    return TRUE;
}

BOOL WINAPI GetTextExtentPointA(HDC handle, LPCSTR text, int length, LPSIZE size) {
    return GetTextExtentPoint32A(handle, text, length, size);
}

// Widths of the character codes FIRST to LAST; a code above 255 is a double-byte character
// (lead byte in the high half).
BOOL WINAPI GetCharWidth32A(HDC handle, UINT first, UINT last, LPINT widths) {
    auto dc = findDc(handle);
    if (!dc || !widths || last < first || last > 0xFFFF) return FALSE;
    auto font = fontOf(*dc);
    if (!font) return FALSE;
    int codePage = currentDisplay().codePage;
    for (UINT code = first; code <= last; ++code) {
        char bytes[2] = {static_cast<char>(code >> 8), static_cast<char>(code & 0xFF)};
        std::u32string decoded = code > 0xFF ? decodeCodePage(std::string_view(bytes, 2), codePage)
                                             : decodeCodePage(std::string_view(bytes + 1, 1), codePage);
        widths[code - first] = decoded.size() == 1 ? font->advance(decoded[0]) : font->metrics().tmAveCharWidth;
    }
    return TRUE;
}

BOOL WINAPI GetCharWidthA(HDC handle, UINT first, UINT last, LPINT widths) {
    return GetCharWidth32A(handle, first, last, widths);
}

BOOL WINAPI GetTextMetricsA(HDC handle, LPTEXTMETRICA metrics) {
    auto dc = findDc(handle);
    if (!dc || !metrics) return FALSE;
    auto font = fontOf(*dc);
    if (!font) return FALSE;
    *metrics = font->metrics();
    return TRUE;
}

int WINAPI GetTextFaceA(HDC handle, int size, LPSTR face) {
    auto dc = findDc(handle);
    if (!dc) return 0;
    std::string name = dc->font && !dc->font->faceBytes.empty() ? dc->font->faceBytes : "System";
    if (!face) return static_cast<int>(name.size()) + 1;
    if (size <= 0) return 0;
    std::size_t copied = std::min(name.size(), static_cast<std::size_t>(size - 1));
    std::memcpy(face, name.data(), copied);
    face[copied] = '\0';
    return static_cast<int>(copied);
}
