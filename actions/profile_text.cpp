#include "actions/profile_text.h"

#include "win/profile.h"

#include <cstring>
#include <vector>

std::string readWholeProfileString(LPCSTR file, LPCSTR section, LPCSTR key)
{
    std::vector<char> buffer(256);
    for (;;) {
        DWORD size = static_cast<DWORD>(buffer.size());
        DWORD length = file ? GetPrivateProfileStringA(section, key, "", buffer.data(), size, file)
                            : GetProfileStringA(section, key, "", buffer.data(), size);
        // A value that filled the buffer may have been cut: read it again with more room.
        if (length + 1 < size)
            return std::string(buffer.data(), length);
        buffer.resize(buffer.size() * 2);
    }
}

BOOL readActionEntry(LPCSTR file, LPCSTR section, LPCSTR key, LPSTR entry, size_t capacity)
{
    std::string value = readWholeProfileString(file, section, key);
    if (value.size() >= capacity) {
        entry[0] = '\0';
        return FALSE;
    }
    std::memcpy(entry, value.c_str(), value.size() + 1);
    return TRUE;
}
