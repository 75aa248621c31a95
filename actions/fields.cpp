#include "actions/fields.h"

LPCSTR skipFieldSeparators(LPCSTR cursor)
{
    while (*cursor == ',')
        ++cursor;
    return cursor;
}

size_t nextField(LPCSTR* cursor, LPSTR field, size_t capacity)
{
    LPCSTR start = skipFieldSeparators(*cursor);
    LPCSTR end = start;
    while (*end != '\0' && *end != ',')
        ++end;

    size_t length = static_cast<size_t>(end - start);
    if (capacity > 0) {
        size_t copied = length < capacity ? length : capacity - 1;
        for (size_t i = 0; i < copied; ++i)
            field[i] = start[i];
        field[copied] = '\0';
    }
    *cursor = end;
    return length;
}
