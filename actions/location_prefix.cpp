#include "actions/location_prefix.h"

#include "win/kernel.h"

#include <cstdio>
#include <cstring>

BOOL hasLocationPrefix(LPCSTR field, BOOL allowDrive)
{
    if (field[0] != '@')
        return FALSE;
    char letter = field[1];
    return letter == 'C' || letter == 'W' || letter == 'S' || (allowDrive && letter == 'D');
}

// A directory query's result LENGTH tells whether the directory filled a buffer of CAPACITY.
static BOOL knownDirectory(UINT length, size_t capacity)
{
    return length > 0 && length < capacity;
}

static int copyFitting(LPCSTR text, LPSTR result, size_t capacity)
{
    if (std::strlen(text) >= capacity)
        return PREFIX_UNUSABLE;
    std::strcpy(result, text);
    return PREFIX_EXPANDED;
}

int expandLocationPrefix(const ActionContext& context, LPCSTR field, BOOL allowDrive, LPSTR result,
                         size_t capacity)
{
    if (field[0] != '@')
        return copyFitting(field, result, capacity);
    if (!hasLocationPrefix(field, allowDrive))
        return PREFIX_INVALID;

    char base[MAX_PATH];
    switch (field[1]) {
    case 'C':
        if (std::strlen(context.installPath()) >= sizeof base)
            return PREFIX_UNUSABLE;
        std::strcpy(base, context.installPath());
        break;
    case 'W':
        if (!knownDirectory(GetWindowsDirectoryA(base, sizeof base), sizeof base))
            return PREFIX_UNUSABLE;
        break;
    case 'S':
        if (!knownDirectory(GetSystemDirectoryA(base, sizeof base), sizeof base))
            return PREFIX_UNUSABLE;
        break;
    default:  // 'D'
        std::snprintf(base, sizeof base, "%.1s", context.installPath());
        break;
    }

    // The separator after the letter is dropped whatever it is.
    LPCSTR rest = field[2] == '\0' ? field + 2 : field + 3;
    int length = *rest == '\0' ? std::snprintf(result, capacity, "%s", base)
                               : std::snprintf(result, capacity, "%s\\%s", base, rest);
    return length >= 0 && static_cast<size_t>(length) < capacity ? PREFIX_EXPANDED
                                                                  : PREFIX_UNUSABLE;
}
