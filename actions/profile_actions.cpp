#include "actions/profile_actions.h"

#include "actions/fields.h"
#include "actions/file_text.h"
#include "actions/location_prefix.h"
#include "actions/profile_text.h"
#include "actions/text_editors.h"
#include "actions/text_search.h"
#include "win/kernel.h"
#include "win/profile.h"

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

// A field after expansion holds at most 255 characters.
#define EXPANDED_CAPACITY 256

#define PROFILE_WIN_INI_LIST 1
#define PROFILE_SYSTEM_INI_DRIVER 2
#define PROFILE_CONFIG_SYS_LINE 3
#define PROFILE_AUTOEXEC_LINE 4
#define PROFILE_INI_VALUE 5

// What became of one entry.
#define ENTRY_HANDLED 1
#define ENTRY_ENDS_RUN 0

// One profile entry split into its four fields; a missing field is empty.
struct ProfileEntry {
    std::string text;
    std::string target;
    std::string section;
    std::string key;
    std::string value;
    LPCSTR afterKey;  // the entry's text after the comma that ends the key field
};

// The run's settings, the same for every entry.
struct ProfileRun {
    const ActionContext* context;
    BYTE mode;
    BOOL recording;
    LPCSTR recordPath;
    LPCSTR entryKey;  // "PROFILE%d" of the entry being handled
};

static std::string takeField(LPCSTR* cursor)
{
    std::vector<char> field(std::strlen(*cursor) + 1);
    nextField(cursor, field.data(), field.size());
    return field.data();
}

static void splitEntry(ProfileEntry& entry)
{
    LPCSTR cursor = entry.text.c_str();
    entry.target = takeField(&cursor);
    entry.section = takeField(&cursor);
    entry.key = takeField(&cursor);
    entry.afterKey = *cursor == ',' ? cursor + 1 : cursor;
    entry.value = takeField(&cursor);
}

static int kindOf(const ProfileEntry& entry)
{
    LPCSTR target = entry.target.c_str();
    LPCSTR key = entry.key.c_str();
    if (sameTextIgnoringCase(target, "WIN.INI") &&
        (sameTextIgnoringCase(key, "RUN") || sameTextIgnoringCase(key, "LOAD")))
        return PROFILE_WIN_INI_LIST;
    if (sameTextIgnoringCase(target, "SYSTEM.INI") && sameTextIgnoringCase(key, "DEVICE"))
        return PROFILE_SYSTEM_INI_DRIVER;
    if (sameTextIgnoringCase(target, "CONFIG.SYS"))
        return PROFILE_CONFIG_SYS_LINE;
    if (sameTextIgnoringCase(target, "AUTOEXEC.BAT"))
        return PROFILE_AUTOEXEC_LINE;
    return PROFILE_INI_VALUE;
}

static void recordValue(const ProfileRun& run, LPCSTR value)
{
    if (run.recording)
        WritePrivateProfileStringA("PROFILE", run.entryKey, value, run.recordPath);
}

// Kind 1: a program in the list of a WIN.INI key (RUN or LOAD).
static void applyProgramList(const ProfileRun& run, const ProfileEntry& entry, LPCSTR program)
{
    if (*program == '\0')
        return;
    LPCSTR section = entry.section.c_str();
    LPCSTR key = entry.key.c_str();
    std::string list = readWholeProfileString(nullptr, section, key);
    DWORD n = static_cast<DWORD>(list.size());
    DWORD at = list.empty() ? n : findOutsideComments(list.data(), n, program);
    BOOL listed = at < n;

    if (run.mode == ACTION_INSTALL) {
        if (listed)
            return;
        std::string record = "WIN.INI," + entry.section + "," + entry.key + "," + program;
        recordValue(run, record.c_str());
        std::string updated = list.empty() ? std::string(program) : list + " " + program;
        WriteProfileStringA(section, key, updated.c_str());
        return;
    }

    if (!listed)
        return;
    size_t after = at + std::strlen(program);
    if (after < list.size() && list[after] == ' ')
        ++after;
    std::string updated = list.substr(0, at) + list.substr(after);
    WriteProfileStringA(section, key, updated.c_str());
}

// Kinds 3 and 4: keeps the start-up file as it was before this line is handled.
static void backUpBootFile(LPCSTR file, LPCSTR backup)
{
    if (copyFileExpanding(file, backup))
        return;
    SetFileAttributesA(backup, FILE_ATTRIBUTE_NORMAL);
    copyFileExpanding(file, backup);
}

static void applyBootFileLine(const ProfileRun& run, const ProfileEntry& entry, int kind, LPCSTR line)
{
    BOOL config = kind == PROFILE_CONFIG_SYS_LINE;
    LPCSTR file = config ? "C:\\CONFIG.SYS" : "C:\\AUTOEXEC.BAT";
    backUpBootFile(file, config ? "C:\\CONFIG.S--" : "C:\\AUTOEXEC.B--");
    if (run.mode == ACTION_INSTALL) {
        recordValue(run, entry.text.c_str());
        if (config)
            addConfigSysLine(line);
        else
            addAutoexecLine(line);
        return;
    }
    removeBootFileLine(file, line);
}

static BOOL fileReadable(LPCSTR path)
{
    HANDLE file = CreateFileA(path, GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL,
                              nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return FALSE;
    CloseHandle(file);
    return TRUE;
}

// Kind 5, install: the old value goes into the record, then the new one into the file.
static void setIniValue(const ProfileRun& run, const ProfileEntry& entry, LPCSTR file, LPCSTR value)
{
    LPCSTR section = entry.section.c_str();
    LPCSTR key = entry.key.c_str();
    if (run.recording) {
        std::string old = readWholeProfileString(file, section, key);
        std::string record = std::string(file) + "," + entry.section + "," + entry.key + "," + old;
        recordValue(run, record.c_str());
    }
    WritePrivateProfileStringA(section, key, value, file);
}

// Kind 5, uninstall: the recorded old value goes back exactly as it was read (commas and all);
// a key that had none is deleted.
static void restoreIniValue(const ProfileEntry& entry, LPCSTR file)
{
    char path[MAX_PATH];
    if (fileReadable(file)) {
        std::snprintf(path, sizeof path, "%s", file);
    } else {
        char windows[MAX_PATH];
        UINT length = GetWindowsDirectoryA(windows, sizeof windows);
        int written = std::snprintf(path, sizeof path, "%s\\%s", windows, entry.target.c_str());
        if (length == 0 || length >= sizeof windows || written < 0 ||
            static_cast<size_t>(written) >= sizeof path || !fileReadable(path))
            return;
    }
    LPCSTR old = entry.afterKey;
    WritePrivateProfileStringA(entry.section.c_str(), entry.key.c_str(), *old ? old : nullptr, path);
}

// Expands FIELD into RESULT; anything but PREFIX_EXPANDED stops the entry.
static int expandField(const ProfileRun& run, const std::string& field, BOOL allowDrive, LPSTR result)
{
    return expandLocationPrefix(*run.context, field.c_str(), allowDrive, result, EXPANDED_CAPACITY);
}

static int applyEntry(const ProfileRun& run, const ProfileEntry& entry)
{
    char expanded[EXPANDED_CAPACITY];
    int kind = kindOf(entry);
    int prefix = PREFIX_EXPANDED;
    switch (kind) {
    case PROFILE_WIN_INI_LIST:
    case PROFILE_SYSTEM_INI_DRIVER:
        prefix = expandField(run, entry.value, FALSE, expanded);
        break;
    case PROFILE_CONFIG_SYS_LINE:
    case PROFILE_AUTOEXEC_LINE:
        prefix = expandField(run, entry.section, TRUE, expanded);
        break;
    default:
        prefix = expandField(run, entry.target, FALSE, expanded);
        break;
    }
    if (prefix == PREFIX_INVALID)
        return ENTRY_ENDS_RUN;
    if (prefix != PREFIX_EXPANDED)
        return ENTRY_HANDLED;

    switch (kind) {
    case PROFILE_WIN_INI_LIST:
        applyProgramList(run, entry, expanded);
        return ENTRY_HANDLED;
    case PROFILE_SYSTEM_INI_DRIVER:
        if (run.mode == ACTION_INSTALL) {
            recordValue(run, entry.text.c_str());
            addSystemIniDevice(entry.section.c_str(), entry.key.c_str(), expanded);
        } else {
            removeSystemIniDevice(entry.section.c_str(), expanded);
        }
        return ENTRY_HANDLED;
    case PROFILE_CONFIG_SYS_LINE:
    case PROFILE_AUTOEXEC_LINE:
        applyBootFileLine(run, entry, kind, expanded);
        return ENTRY_HANDLED;
    default:
        break;
    }

    // Kind 5. A value needs a section and a key: a write without a key would delete the section.
    if (entry.section.empty() || entry.key.empty())
        return ENTRY_HANDLED;
    if (run.mode != ACTION_INSTALL) {
        restoreIniValue(entry, expanded);
        return ENTRY_HANDLED;
    }
    char value[EXPANDED_CAPACITY];
    prefix = expandField(run, entry.value, FALSE, value);
    if (prefix == PREFIX_INVALID)
        return ENTRY_ENDS_RUN;
    if (prefix == PREFIX_EXPANDED)
        setIniValue(run, entry, expanded, value);
    return ENTRY_HANDLED;
}

int applyProfileSection(const ActionContext& context, BYTE mode, LPCSTR sourcePath, LPCSTR recordPath)
{
    ProfileRun run = {&context, mode,
                      mode == ACTION_INSTALL && context.recordFlag() && recordPath != nullptr,
                      recordPath, nullptr};
    WORD count = static_cast<WORD>(GetPrivateProfileIntA("PROFILE", "COUNT", 0, sourcePath));
    if (run.recording) {
        char number[16];
        std::snprintf(number, sizeof number, "%d", static_cast<int>(count));
        WritePrivateProfileStringA("PROFILE", "COUNT", number, recordPath);
    }

    for (WORD i = 0; i < count; ++i) {
        char key[32];
        std::snprintf(key, sizeof key, "PROFILE%d", static_cast<int>(i));
        run.entryKey = key;
        ProfileEntry entry;
        // Read whole: acting on a cut entry could change the wrong line or value.
        entry.text = readWholeProfileString(sourcePath, "PROFILE", key);
        if (entry.text.empty())
            continue;
        splitEntry(entry);
        if (applyEntry(run, entry) == ENTRY_ENDS_RUN)
            return 0;
    }
    return 1;
}
