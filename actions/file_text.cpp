#include "actions/file_text.h"

#include "win/kernel.h"
#include "win/lz.h"

#include <cstdio>
#include <cstring>

static BOOL readOpenFile(HANDLE file, std::string& text)
{
    text.clear();
    char chunk[8192];
    for (;;) {
        DWORD read = 0;
        if (!ReadFile(file, chunk, sizeof chunk, &read, nullptr))
            return FALSE;
        if (read == 0)
            return TRUE;
        text.append(chunk, read);
    }
}

static BOOL readWith(LPCSTR path, std::string& text, DWORD access, DWORD disposition)
{
    HANDLE file = CreateFileA(path, access, 0, nullptr, disposition, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return FALSE;
    BOOL ok = readOpenFile(file, text);
    CloseHandle(file);
    return ok;
}

BOOL readWholeFile(LPCSTR path, std::string& text)
{
    return readWith(path, text, GENERIC_READ, OPEN_EXISTING);
}

BOOL readWholeFileForEdit(LPCSTR path, std::string& text, BOOL create)
{
    return readWith(path, text, GENERIC_READ | GENERIC_WRITE, create ? OPEN_ALWAYS : OPEN_EXISTING);
}

BOOL writeWholeFile(LPCSTR path, const std::string& text, BOOL create)
{
    HANDLE file = CreateFileA(path, GENERIC_WRITE, 0, nullptr,
                              create ? CREATE_ALWAYS : OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return FALSE;

    DWORD written = 0;
    BOOL ok = WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &written, nullptr) &&
              written == text.size() && SetEndOfFile(file);
    CloseHandle(file);
    return ok;
}

BOOL copyFileExpanding(LPCSTR from, LPCSTR to)
{
    OFSTRUCT toInfo = {};
    INT target = LZOpenFileA(to, &toInfo, OF_CREATE);
    if (target < 0)
        return FALSE;

    BOOL ok = TRUE;
    OFSTRUCT fromInfo = {};
    INT source = LZOpenFileA(from, &fromInfo, OF_READ);
    if (source >= 0) {
        ok = LZCopy(source, target) >= 0;
        LZClose(source);
    }
    LZClose(target);
    return ok;
}

BOOL workingCopyName(LPCSTR path, LPSTR result, size_t capacity)
{
    LPCSTR name = std::strrchr(path, '\\');
    name = name ? name + 1 : path;
    LPCSTR dot = std::strrchr(name, '.');
    size_t stem = dot ? static_cast<size_t>(dot - path) : std::strlen(path);
    int length = std::snprintf(result, capacity, "%.*s.TMP", static_cast<int>(stem), path);
    return length >= 0 && static_cast<size_t>(length) < capacity;
}
