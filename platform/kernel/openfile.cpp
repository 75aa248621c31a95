// OpenFile and the handle calls of the older file interface (_lread, _lwrite, _llseek, _lclose).
#include "kernel/error_mode.h"
#include "kernel/file_object.h"
#include "kernel/hooks.h"
#include "kernel/module.h"
#include "kernel/paths.h"
#include "win/kernel.h"

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

namespace {

using platform::handles::fromHfile;
using platform::handles::toHfile;

DWORD accessOf(UINT style) {
    if (style & OF_CREATE) return GENERIC_READ | GENERIC_WRITE;
    switch (style & 0x3) {
    case OF_WRITE: return GENERIC_WRITE;
    case OF_READWRITE: return GENERIC_READ | GENERIC_WRITE;
    default: return GENERIC_READ;
    }
}

DWORD shareOf(UINT style) {
    switch (style & 0x70) {
    case OF_SHARE_EXCLUSIVE: return 0;
    case OF_SHARE_DENY_WRITE: return FILE_SHARE_READ;
    case OF_SHARE_DENY_READ: return FILE_SHARE_WRITE;
    default: return FILE_SHARE_READ | FILE_SHARE_WRITE;  // compatibility mode and deny-none
    }
}

bool isBareName(std::string_view path) { return path.find_first_of("\\/:") == std::string_view::npos; }

// The directories searched for a bare file name, in the platform's order.
std::vector<std::string> searchDirectories() {
    std::vector<std::string> dirs;
    if (auto own = platform::module::imageDirectory()) dirs.push_back(*own);
    dirs.push_back(platform::paths::currentDirectory());
    char buffer[MAX_PATH];
    if (GetSystemDirectoryA(buffer, sizeof buffer) < sizeof buffer) dirs.emplace_back(buffer);
    if (GetWindowsDirectoryA(buffer, sizeof buffer) < sizeof buffer) dirs.emplace_back(buffer);
    return dirs;
}

std::string join(const std::string& dir, std::string_view name) {
    return dir.back() == '\\' ? dir + std::string(name) : dir + "\\" + std::string(name);
}

// The path OpenFile acts on: a bare name is looked up in the search directories.
std::string resolve(std::string_view path, UINT style) {
    if (!isBareName(path) || (style & OF_CREATE)) return std::string(path);
    for (const std::string& dir : searchDirectories()) {
        std::string candidate = join(dir, path);
        if (GetFileAttributesA(candidate.c_str()) != INVALID_FILE_ATTRIBUTES) return candidate;
    }
    return std::string(path);
}

void fill(LPOFSTRUCT ofs, const std::string& path, DWORD error) {
    if (!ofs) return;
    ofs->cBytes = sizeof(OFSTRUCT);
    ofs->fFixedDisk = !path.empty() && (path[0] == 'C' || path[0] == 'c');
    ofs->nErrCode = static_cast<WORD>(error);
    DWORD e = 0;
    std::string full = platform::paths::fullPath(path, e).value_or(path);
    std::size_t n = std::min(full.size(), static_cast<std::size_t>(OFS_MAXPATHNAME - 1));
    std::memcpy(ofs->szPathName, full.data(), n);
    ofs->szPathName[n] = '\0';
}

HFILE failWith(LPOFSTRUCT ofs, const std::string& path, DWORD error) {
    fill(ofs, path, error);
    SetLastError(error);
    return HFILE_ERROR;
}

// One attempt of OpenFile without the prompt.
HFILE attempt(const std::string& path, LPOFSTRUCT ofs, UINT style) {
    if (style & OF_DELETE) {
        if (!DeleteFileA(path.c_str())) return failWith(ofs, path, GetLastError());
        fill(ofs, path, 0);
        return 1;  // the platform reports a deletion as TRUE
    }
    const DWORD disposition = (style & OF_CREATE) ? CREATE_ALWAYS : OPEN_EXISTING;
    HANDLE h = platform::files::open(path.c_str(), accessOf(style), shareOf(style), disposition);
    if (h == INVALID_HANDLE_VALUE) return failWith(ofs, path, GetLastError());
    fill(ofs, path, 0);
    HFILE result = toHfile(h);
    if (style & OF_EXIST) CloseHandle(h);
    SetLastError(ERROR_SUCCESS);
    return result;
}

}  // namespace

HFILE WINAPI OpenFile(LPCSTR path, LPOFSTRUCT ofs, UINT style) {
    std::string name;
    if (style & OF_REOPEN) {
        if (!ofs) return failWith(nullptr, {}, ERROR_INVALID_PARAMETER);
        name.assign(ofs->szPathName, strnlen(ofs->szPathName, OFS_MAXPATHNAME));
    } else {
        if (!path) return failWith(ofs, {}, ERROR_INVALID_PARAMETER);
        name = path;
    }
    std::string resolved = resolve(name, style);
    if (style & OF_PARSE) {
        fill(ofs, resolved, 0);
        return 0;
    }
    for (;;) {
        HFILE h = attempt(resolved, ofs, style);
        if (h != HFILE_ERROR) return h;
        const DWORD error = GetLastError();
        const bool missing = error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND;
        const bool boxAllowed = !(platform::kernel::errorMode() & SEM_NOOPENFILEERRORBOX);
        if (!(style & OF_PROMPT) || (style & OF_CREATE) || !missing || !boxAllowed || !platform::hooks::promptMissingFile())
            return HFILE_ERROR;
        std::string shown = ofs ? std::string(ofs->szPathName) : resolved;
        if (!platform::hooks::promptMissingFile()(shown)) {
            SetLastError(error);
            return HFILE_ERROR;
        }
        resolved = resolve(name, style);
    }
}

UINT WINAPI _lread(HFILE file, LPVOID buffer, UINT bytes) {
    DWORD read = 0;
    if (!ReadFile(fromHfile(file), buffer, bytes, &read, nullptr)) return static_cast<UINT>(HFILE_ERROR);
    return read;
}

UINT WINAPI _lwrite(HFILE file, LPCSTR buffer, UINT bytes) {
    DWORD written = 0;
    if (bytes == 0) {  // a write of nothing sets the end of the file at the current position
        return SetEndOfFile(fromHfile(file)) ? 0 : static_cast<UINT>(HFILE_ERROR);
    }
    if (!WriteFile(fromHfile(file), buffer, bytes, &written, nullptr)) return static_cast<UINT>(HFILE_ERROR);
    return written;
}

LONG WINAPI _llseek(HFILE file, LONG offset, int origin) {
    DWORD pos = SetFilePointer(fromHfile(file), offset, nullptr, static_cast<DWORD>(origin));
    if (pos == INVALID_SET_FILE_POINTER && GetLastError() != ERROR_SUCCESS) return HFILE_ERROR;
    return static_cast<LONG>(pos);
}

HFILE WINAPI _lclose(HFILE file) { return CloseHandle(fromHfile(file)) ? 0 : HFILE_ERROR; }
