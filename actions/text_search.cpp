#include "actions/text_search.h"

#include <cstring>

static char foldCase(char c)
{
    return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}

static BOOL equalIgnoringCase(LPCSTR a, LPCSTR b, DWORD length)
{
    for (DWORD i = 0; i < length; ++i) {
        if (foldCase(a[i]) != foldCase(b[i]))
            return FALSE;
    }
    return TRUE;
}

// Position just past the line end that follows FROM (a CR LF pair, a lone LF or a lone CR);
// N when the text ends first.
static DWORD afterLineEnd(LPCSTR text, DWORD n, DWORD from)
{
    for (DWORD p = from; p < n; ++p) {
        if (text[p] == '\r')
            return (p + 1 < n && text[p + 1] == '\n') ? p + 2 : p + 1;
        if (text[p] == '\n')
            return p + 1;
    }
    return n;
}

DWORD findOutsideComments(LPCSTR text, DWORD n, LPCSTR pattern)
{
    DWORD m = static_cast<DWORD>(std::strlen(pattern));
    DWORD p = 0;
    while (p < n) {
        if (p + 3 <= n && equalIgnoringCase(text + p, "REM", 3)) {
            p = afterLineEnd(text, n, p + 3);
            continue;
        }
        if (text[p] == ';') {
            p = afterLineEnd(text, n, p + 1);
            continue;
        }
        if (m <= n - p && equalIgnoringCase(text + p, pattern, m))
            return p;
        ++p;
    }
    return n;
}

BOOL sameTextIgnoringCase(LPCSTR a, LPCSTR b)
{
    size_t length = std::strlen(a);
    return length == std::strlen(b) && equalIgnoringCase(a, b, static_cast<DWORD>(length));
}
