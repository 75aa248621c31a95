#include "actions/text_edits.h"

#include "actions/text_search.h"

#include <cstring>

namespace {

// The end of the line that holds position FROM: where its line end starts, and what it is.
struct LineEnd {
    size_t at;           // position of the line end (text size when the text ends first)
    std::string ending;  // "\r\n", "\n", "\r", or empty at the end of the text
};

LineEnd lineEndFrom(const std::string& text, size_t from)
{
    size_t at = text.find_first_of("\r\n", from);
    if (at == std::string::npos)
        return {text.size(), ""};
    if (text[at] == '\r')
        return {at, (at + 1 < text.size() && text[at + 1] == '\n') ? "\r\n" : "\r"};
    return {at, "\n"};
}

size_t findIn(const std::string& text, size_t from, LPCSTR pattern)
{
    DWORD rest = static_cast<DWORD>(text.size() - from);
    DWORD found = findOutsideComments(text.data() + from, rest, pattern);
    return found < rest ? from + found : std::string::npos;
}

// TEXT with HEADER (found at K, ORIGINAL_LENGTH characters long) rewritten and NEW_LINE inserted
// as the first line after the header's own line.
std::string withLineAfterHeader(const std::string& text, size_t k, size_t originalLength,
                                const std::string& header, const std::string& newLine)
{
    LineEnd end = lineEndFrom(text, k + originalLength);
    std::string result = text.substr(0, k);
    result += header;
    result.append(text, k + originalLength, end.at - (k + originalLength));
    if (end.ending.empty()) {
        result += "\r\n";
        result += newLine;
        return result;
    }
    result += end.ending;
    result += newLine;
    result += end.ending;
    result.append(text, end.at + end.ending.size());
    return result;
}

bool onlyBlanksBefore(const std::string& text, size_t position, size_t& lineStart)
{
    lineStart = position;
    while (lineStart > 0 && (text[lineStart - 1] == ' ' || text[lineStart - 1] == '\t'))
        --lineStart;
    return lineStart == 0 || text[lineStart - 1] == '\n' || text[lineStart - 1] == '\r';
}

}  // namespace

BOOL configSysWithLine(const std::string& text, LPCSTR line, std::string& result)
{
    if (*line == '\0' || findIn(text, 0, line) != std::string::npos)
        return FALSE;

    static const char kHeader[] = "[COMMON]";
    size_t k = findIn(text, 0, kHeader);
    if (k == std::string::npos) {
        result = text + "\r\n[COMMON]\r\n" + line;
        return TRUE;
    }
    result = withLineAfterHeader(text, k, sizeof kHeader - 1, kHeader, line);
    return TRUE;
}

BOOL autoexecWithLine(const std::string& text, LPCSTR line, std::string& result)
{
    if (*line == '\0')
        return FALSE;
    result = text + "\r\n" + line;
    return TRUE;
}

BOOL textWithoutPattern(const std::string& text, LPCSTR pattern, std::string& result)
{
    if (*pattern == '\0')
        return FALSE;
    size_t k = findIn(text, 0, pattern);
    if (k == std::string::npos)
        return FALSE;
    result = text.substr(0, k) + text.substr(k + std::strlen(pattern));
    return TRUE;
}

BOOL iniWithKeyLine(const std::string& text, LPCSTR section, LPCSTR key, LPCSTR value,
                    std::string& result)
{
    std::string header = std::string("[") + section + "]";
    size_t k = findIn(text, 0, header.c_str());
    if (k == std::string::npos)
        return FALSE;
    result = withLineAfterHeader(text, k, header.size(), header, std::string(key) + "=" + value);
    return TRUE;
}

BOOL iniWithoutDeviceLine(const std::string& text, LPCSTR value, std::string& result)
{
    std::string line = std::string("device=") + value;
    for (size_t k = findIn(text, 0, line.c_str()); k != std::string::npos;
         k = findIn(text, k + 1, line.c_str())) {
        size_t lineStart = 0;
        LineEnd end = lineEndFrom(text, k);
        if (end.at != k + line.size() || !onlyBlanksBefore(text, k, lineStart))
            continue;
        result = text.substr(0, lineStart) + text.substr(end.at + end.ending.size());
        return TRUE;
    }
    return FALSE;
}
