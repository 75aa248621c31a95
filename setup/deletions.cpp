// The deletions that follow a complete copy: the files of the script's [DELETE] section.
#include "actions/fields.h"
#include "actions/utilities.h"
#include "setup/setup_state.h"
#include "win/kernel.h"
#include "win/profile.h"

#include <cstdio>

void deleteListedFiles()
{
    int count = static_cast<int>(GetPrivateProfileIntA("DELETE", "COUNT", 0, setup.scriptPath));
    for (int i = 0; i < count; ++i) {
        char key[32];
        char entry[256];
        std::snprintf(key, sizeof key, "DELETE%d", i);
        GetPrivateProfileStringA("DELETE", key, "", entry, sizeof entry, setup.scriptPath);

        LPCSTR cursor = entry;
        char location[256];
        char path[256];
        if (!nextField(&cursor, location, sizeof location) || location[0] != '@')
            continue;
        nextField(&cursor, path, sizeof path);
        char base[MAX_PATH];
        LPCSTR directory = locationDirectory(location[1], FALSE, base, sizeof base);
        if (!directory)
            continue;
        char file[512];
        int length = std::snprintf(file, sizeof file, "%s\\%s", directory, path);
        if (length > 0 && length < static_cast<int>(sizeof file))
            deleteFileQuietly(file);
    }
}
