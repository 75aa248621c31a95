#include "actions/utilities.h"

#include "actions/text_search.h"
#include "win/kernel.h"
#include "win/lz.h"
#include "win/profile.h"

#include <cstdio>
#include <cstring>

BOOL detectKoreanMode()
{
    char language[128];
    GetProfileStringA("intl", "sLanguage", "eng", language, sizeof language);
    return sameTextIgnoringCase(language, "kor");
}

void removeDirectoryChain(LPCSTR path)
{
    char level[MAX_PATH];
    if (std::strlen(path) >= sizeof level)
        return;
    std::strcpy(level, path);

    // Deepest level first; cutting at each backslash after the drive root gives its parent.
    for (size_t i = std::strlen(level); i-- > 3;) {
        if (level[i] == '\\') {
            RemoveDirectoryA(level);
            level[i] = '\0';
        }
    }

    // The last level may be the current directory, which cannot be removed.
    char root[4];
    std::snprintf(root, sizeof root, "%c:\\", level[0]);
    SetCurrentDirectoryA(root);
    RemoveDirectoryA(level);
}

void deleteFileQuietly(LPCSTR path)
{
    OFSTRUCT info = {};
    INT file = LZOpenFileA(path, &info, OF_DELETE);
    if (file >= 0)
        LZClose(file);
}
