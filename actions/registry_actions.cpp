#include "actions/registry_actions.h"

#include "actions/fields.h"
#include "actions/profile_text.h"
#include "actions/text_search.h"
#include "win/profile.h"
#include "win/registry.h"

#include <cstdio>
#include <cstring>
#include <memory>

// A REGISTRY entry holds at most 8,191 characters.
#define REGISTRY_ENTRY_CAPACITY 8192

// The predefined key of NAME, or none.
static HKEY rootKeyNamed(LPCSTR name)
{
    static const struct {
        LPCSTR name;
        HKEY key;
    } roots[] = {
        {"HKEY_LOCAL_MACHINE", HKEY_LOCAL_MACHINE}, {"HKEY_CURRENT_USER", HKEY_CURRENT_USER},
        {"HKEY_CLASSES_ROOT", HKEY_CLASSES_ROOT},   {"HKEY_USERS", HKEY_USERS},
        {"HKEY_CURRENT_CONFIG", HKEY_CURRENT_CONFIG}, {"HKEY_DYN_DATA", HKEY_DYN_DATA},
    };
    for (const auto& root : roots) {
        if (sameTextIgnoringCase(name, root.name))
            return root.key;
    }
    return nullptr;
}

// Stores the value-name and value-text pairs at CURSOR under KEY; a name without text ends them.
static void setStringValues(HKEY key, LPCSTR cursor, LPSTR name, LPSTR text)
{
    while (nextField(&cursor, name, REGISTRY_ENTRY_CAPACITY) > 0 &&
           nextField(&cursor, text, REGISTRY_ENTRY_CAPACITY) > 0) {
        RegSetValueExA(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text),
                       static_cast<DWORD>(std::strlen(text) + 1));
    }
}

static void applyEntry(BYTE mode, LPCSTR entry, LPSTR field, LPSTR name, LPSTR text)
{
    LPCSTR cursor = entry;
    if (nextField(&cursor, field, REGISTRY_ENTRY_CAPACITY) == 0)
        return;
    HKEY root = rootKeyNamed(field);
    if (root == nullptr || nextField(&cursor, field, REGISTRY_ENTRY_CAPACITY) == 0)
        return;

    HKEY key = nullptr;
    if (mode == ACTION_INSTALL) {
        DWORD disposition = 0;
        char noClass[] = "";
        if (RegCreateKeyExA(root, field, 0, noClass, REG_OPTION_NON_VOLATILE,
                            KEY_READ | KEY_CREATE_SUB_KEY | KEY_SET_VALUE, nullptr, &key,
                            &disposition) != ERROR_SUCCESS)
            return;
        setStringValues(key, cursor, name, text);
        RegCloseKey(key);
        return;
    }
    if (RegOpenKeyExA(root, field, 0, KEY_READ, &key) != ERROR_SUCCESS)
        return;
    RegCloseKey(key);
    RegDeleteKeyA(root, field);
}

int applyRegistrySection(const ActionContext& context, BYTE mode, LPCSTR sourcePath, LPCSTR recordPath)
{
    BOOL recording = mode == ACTION_INSTALL && context.recordFlag() && recordPath != nullptr;
    WORD count = static_cast<WORD>(GetPrivateProfileIntA("REGISTRY", "COUNT", 0, sourcePath));
    char number[16];
    if (recording) {
        std::snprintf(number, sizeof number, "%u", static_cast<unsigned>(count));
        WritePrivateProfileStringA("REGISTRY", "COUNT", number, recordPath);
    }

    // The entry and the fields split off it never outgrow the entry's capacity.
    std::unique_ptr<char[]> field(new char[REGISTRY_ENTRY_CAPACITY]);
    std::unique_ptr<char[]> name(new char[REGISTRY_ENTRY_CAPACITY]);
    std::unique_ptr<char[]> text(new char[REGISTRY_ENTRY_CAPACITY]);
    for (WORD i = 0; i < count; ++i) {
        char key[32];
        std::snprintf(key, sizeof key, "REGISTRY%u", static_cast<unsigned>(i));
        std::string entry = readWholeProfileString(sourcePath, "REGISTRY", key);
        // The record gets the entry exactly as the script holds it, usable or not.
        if (recording)
            WritePrivateProfileStringA("REGISTRY", key, entry.c_str(), recordPath);
        if (entry.size() < REGISTRY_ENTRY_CAPACITY)
            applyEntry(mode, entry.c_str(), field.get(), name.get(), text.get());
    }
    return 1;
}
