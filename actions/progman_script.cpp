#include "actions/progman_script.h"

#include "actions/fields.h"
#include "actions/profile_text.h"
#include "win/kernel.h"
#include "win/profile.h"

#include <cstdarg>
#include <cstdio>
#include <cstring>

// The command script's line limit, and room for a few lines of it.
#define SCRIPT_LINE_LIMIT 255
#define SCRIPT_TEXT_CAPACITY 1024
// A REGISTER entry holds at most 255 characters.
#define REGISTER_CAPACITY 256

// Formats script lines into TEXT. FALSE when they do not fit or a line (without its CR LF) would
// be longer than the command script allows: such a line would reach Program Manager cut.
static BOOL formatScriptLines(LPSTR text, const char* format, ...)
{
    va_list arguments;
    va_start(arguments, format);
    int length = std::vsnprintf(text, SCRIPT_TEXT_CAPACITY, format, arguments);
    va_end(arguments);
    if (length < 0 || length >= SCRIPT_TEXT_CAPACITY)
        return FALSE;

    size_t lineLength = 0;
    for (LPCSTR c = text; *c != '\0'; ++c) {
        if (*c == '\r' || *c == '\n')
            lineLength = 0;
        else if (++lineLength > SCRIPT_LINE_LIMIT)
            return FALSE;
    }
    return TRUE;
}

static void writeText(HANDLE file, LPCSTR text)
{
    DWORD written = 0;
    WriteFile(file, text, static_cast<DWORD>(std::strlen(text)), &written, nullptr);
}

static HANDLE createScriptFile(const ActionContext& context)
{
    char path[MAX_PATH];
    int length = std::snprintf(path, sizeof path, "%s\\WININST.INF", context.programDirectory());
    if (length < 0 || static_cast<size_t>(length) >= sizeof path)
        return INVALID_HANDLE_VALUE;
    return CreateFileA(path, GENERIC_READ | GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                       FILE_ATTRIBUTE_NORMAL, nullptr);
}

// The delete and add lines of one REGISTER entry. FALSE when the entry names no file (no second
// field, a location prefix with nothing after it, or a prefix run into other characters) or its
// lines would be too long: the entry is then left out.
static BOOL formatItemLines(const ActionContext& context, LPCSTR entry, LPCSTR windows, LPSTR text)
{
    char name[REGISTER_CAPACITY];
    char second[REGISTER_CAPACITY];
    LPCSTR cursor = entry;
    if (nextField(&cursor, name, sizeof name) == 0 || nextField(&cursor, second, sizeof second) == 0)
        return FALSE;

    LPCSTR directory = context.installPath();
    LPCSTR file = second;
    if (second[0] == '@' && (second[1] == 'C' || second[1] == 'W')) {
        if (second[2] != '\0')
            return FALSE;
        if (second[1] == 'W')
            directory = windows;
        file = skipFieldSeparators(cursor);
        if (*file == '\0')
            return FALSE;
    }
    return formatScriptLines(text,
                             "EXECUTE:[DeleteItem(%s)]\r\n"
                             "EXECUTE:[AddItem(\"%s\\%s\",%s,\"%s\\%s\")]\r\n",
                             name, directory, file, name, directory, file);
}

static int writeInstallScript(const ActionContext& context, LPCSTR scriptPath, LPCSTR recordPath)
{
    int count = static_cast<int>(GetPrivateProfileIntA("REGISTER", "COUNT", 0, scriptPath));
    if (count == 0)
        return 0;

    char windows[MAX_PATH];
    UINT windowsLength = GetWindowsDirectoryA(windows, sizeof windows);
    char text[SCRIPT_TEXT_CAPACITY];
    if (windowsLength == 0 || windowsLength >= sizeof windows ||
        !formatScriptLines(text,
                           "TITLE:Loading Item in Group.\r\n\r\n"
                           "INITIATE:Progman,Progman\r\n\r\n"
                           "EXECUTE:[CreateGroup(%s)]\r\n",
                           context.groupName()))
        return 0;

    HANDLE file = createScriptFile(context);
    if (file == INVALID_HANDLE_VALUE)
        return 0;
    writeText(file, text);

    for (int i = 0; i < count; ++i) {
        char key[32];
        char entry[REGISTER_CAPACITY];
        std::snprintf(key, sizeof key, "REGISTER%d", i);
        if (readActionEntry(scriptPath, "REGISTER", key, entry, sizeof entry) &&
            formatItemLines(context, entry, windows, text))
            writeText(file, text);
    }

    if (formatScriptLines(text, "EXECUTE:[DeleteItem(Remove %s)]\r\n", context.groupName()))
        writeText(file, text);
    if (context.recordFlag() && recordPath &&
        formatScriptLines(text,
                          "EXECUTE:[AddItem(\"%s\\_UNSETUP.EXE\" %s,Remove %s,\"%s\\_UNSETUP.EXE\")]\r\n",
                          windows, recordPath, context.groupName(), windows))
        writeText(file, text);
    writeText(file, "EXECUTE:[ExitProgman(1)]\r\n\r\nTERMINATE:\r\n");
    CloseHandle(file);
    return 1;
}

static int writeRemovalScript(const ActionContext& context)
{
    char text[SCRIPT_TEXT_CAPACITY];
    if (!formatScriptLines(text,
                           "TITLE:UnInstall\r\n"
                           "INITIATE:Progman,Progman\r\n"
                           "EXECUTE:[DeleteGroup(%s)]\r\n"
                           "EXECUTE:[ExitProgman(1)]\r\n"
                           "TERMINATE:\r\n",
                           context.groupName()))
        return 0;

    HANDLE file = createScriptFile(context);
    if (file == INVALID_HANDLE_VALUE)
        return 0;
    writeText(file, text);
    CloseHandle(file);
    return 1;
}

int writeProgmanScript(const ActionContext& context, BYTE mode, LPCSTR scriptPath, LPCSTR recordPath)
{
    if (mode == ACTION_INSTALL)
        return writeInstallScript(context, scriptPath, recordPath);
    return writeRemovalScript(context);
}
