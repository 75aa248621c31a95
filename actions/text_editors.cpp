#include "actions/text_editors.h"

#include "actions/file_text.h"
#include "actions/text_edits.h"
#include "actions/text_search.h"
#include "actions/utilities.h"
#include "win/kernel.h"

#include <cstdio>
#include <string>

// Section headers are built into 128 bytes, so a section name has at most 125 characters.
#define HEADER_CAPACITY 128

// Builds the new text in an empty working file WORK, then copies it over FILE. The working file
// is deleted afterwards, except when the copy over FILE failed: it then still holds the edit.
static int addBootLine(LPCSTR file, LPCSTR work, LPCSTR line,
                       BOOL (*edit)(const std::string&, LPCSTR, std::string&))
{
    if (!writeWholeFile(work, std::string(), TRUE))
        return 0;

    std::string text;
    std::string edited;
    if (!readWholeFileForEdit(file, text, TRUE) || !edit(text, line, edited) ||
        !writeWholeFile(work, edited, TRUE)) {
        deleteFileQuietly(work);
        return 0;
    }
    if (!copyFileExpanding(work, file))
        return 0;
    deleteFileQuietly(work);
    return 1;
}

int addConfigSysLine(LPCSTR line)
{
    return addBootLine("c:\\config.sys", "c:\\config.s__", line, configSysWithLine);
}

int addAutoexecLine(LPCSTR line)
{
    return addBootLine("c:\\autoexec.bat", "c:\\autoexec.b__", line, autoexecWithLine);
}

int removeBootFileLine(LPCSTR file, LPCSTR line)
{
    char work[MAX_PATH];
    if (!workingCopyName(file, work, sizeof work) || !copyFileExpanding(file, work))
        return 0;
    if (*line == '\0')
        return 0;

    std::string text;
    if (!readWholeFile(work, text))
        return 0;
    std::string edited;
    BOOL changed = textWithoutPattern(text, line, edited);
    // A missing file comes back as an empty one: its working copy is empty.
    if (!writeWholeFile(file, changed ? edited : text, TRUE))
        return 0;
    return changed ? 1 : 0;
}

// The path of FILE_NAME in the Windows directory.
static BOOL windowsFilePath(LPCSTR fileName, LPSTR path, size_t capacity)
{
    char windows[MAX_PATH];
    UINT length = GetWindowsDirectoryA(windows, sizeof windows);
    if (length == 0 || length >= sizeof windows)
        return FALSE;
    int written = std::snprintf(path, capacity, "%s\\%s", windows, fileName);
    return written >= 0 && static_cast<size_t>(written) < capacity;
}

// Reads SYSTEM.INI and finds VALUE after the header of SECTION.
// Returns -1 when the file, its text or the section is missing, 1 when the value is there, 0 not.
static int valueAfterSystemIniHeader(LPCSTR section, LPCSTR value)
{
    char path[MAX_PATH];
    char header[HEADER_CAPACITY];
    int headerLength = std::snprintf(header, sizeof header, "[%s]", section);
    if (headerLength < 0 || headerLength >= HEADER_CAPACITY ||
        !windowsFilePath("system.ini", path, sizeof path))
        return -1;

    std::string text;
    if (!readWholeFileForEdit(path, text, FALSE) || text.empty())
        return -1;
    DWORD n = static_cast<DWORD>(text.size());
    DWORD k = findOutsideComments(text.data(), n, header);
    if (k >= n)
        return -1;
    return findOutsideComments(text.data() + k, n - k, value) < n - k ? 1 : 0;
}

int addSystemIniDevice(LPCSTR section, LPCSTR key, LPCSTR value)
{
    if (valueAfterSystemIniHeader(section, value) != 0)
        return 0;
    return insertIniKeyLine(section, key, value, "system.ini");
}

int removeSystemIniDevice(LPCSTR section, LPCSTR value)
{
    if (*value == '\0' || valueAfterSystemIniHeader(section, value) != 1)
        return 0;
    return removeIniDeviceLine(value, "system.ini");
}

// Copies FILE_NAME of the Windows directory to its working copy and reads that copy.
static BOOL readThroughWorkingCopy(LPCSTR fileName, LPSTR path, size_t capacity, std::string& text)
{
    char work[MAX_PATH];
    return windowsFilePath(fileName, path, capacity) && workingCopyName(path, work, sizeof work) &&
           copyFileExpanding(path, work) && readWholeFile(work, text);
}

int insertIniKeyLine(LPCSTR section, LPCSTR key, LPCSTR value, LPCSTR fileName)
{
    char path[MAX_PATH];
    std::string text;
    std::string edited;
    if (!readThroughWorkingCopy(fileName, path, sizeof path, text) ||
        !iniWithKeyLine(text, section, key, value, edited))
        return 0;
    return writeWholeFile(path, edited, FALSE) ? 1 : 0;
}

int removeIniDeviceLine(LPCSTR value, LPCSTR fileName)
{
    char path[MAX_PATH];
    std::string text;
    std::string edited;
    if (!readThroughWorkingCopy(fileName, path, sizeof path, text) || *value == '\0' ||
        !iniWithoutDeviceLine(text, value, edited))
        return 0;
    return writeWholeFile(path, edited, FALSE) ? 1 : 0;
}
