// Directory calls: the Windows and system directories, current directories, create and remove.
#include "kernel/attributes.h"
#include "kernel/paths.h"
#include "win/kernel.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <string>

namespace {

constexpr const char* kWindowsDirectory = "C:\\WINDOWS";
constexpr const char* kSystemDirectory = "C:\\WINDOWS\\SYSTEM";
// CreateDirectoryA leaves room for an 8.3 name below the new directory.
constexpr std::size_t kMaxDirectoryPath = 248;

// The platform's convention for string results: the length copied without the zero, or the size
// needed with the zero when BUFFER is too small.
UINT copyResult(const std::string& value, LPSTR buffer, UINT size) {
    if (!buffer || size < value.size() + 1) return static_cast<UINT>(value.size() + 1);
    std::memcpy(buffer, value.c_str(), value.size() + 1);
    return static_cast<UINT>(value.size());
}

}  // namespace

UINT WINAPI GetWindowsDirectoryA(LPSTR buffer, UINT size) { return copyResult(kWindowsDirectory, buffer, size); }

UINT WINAPI GetSystemDirectoryA(LPSTR buffer, UINT size) { return copyResult(kSystemDirectory, buffer, size); }

DWORD WINAPI GetCurrentDirectoryA(DWORD size, LPSTR buffer) {
    return copyResult(platform::paths::currentDirectory(), buffer, size);
}

BOOL WINAPI SetCurrentDirectoryA(LPCSTR path) {
    if (!path) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    DWORD error = 0;
    if (!platform::paths::setCurrentDirectory(path, error)) {
        SetLastError(error);
        return FALSE;
    }
    return TRUE;
}

DWORD WINAPI GetFullPathNameA(LPCSTR path, DWORD size, LPSTR buffer, LPSTR* filePart) {
    if (!path) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    DWORD error = 0;
    std::optional<std::string> full = platform::paths::fullPath(path, error);
    if (!full) {
        SetLastError(error);
        return 0;
    }
    // A path that names a directory with a trailing backslash keeps it.
    std::string_view p(path);
    if (!p.empty() && (p.back() == '\\' || p.back() == '/') && full->size() > 3) *full += '\\';
    UINT r = copyResult(*full, buffer, size);
    if (filePart && r < size) {
        std::size_t slash = full->find_last_of('\\');
        *filePart = slash + 1 < full->size() ? buffer + slash + 1 : nullptr;
    }
    return r;
}

BOOL WINAPI CreateDirectoryA(LPCSTR path, LPSECURITY_ATTRIBUTES) {
    std::optional<platform::paths::Mapped> mapped = platform::paths::mapForCall(path, false);
    if (!mapped) return FALSE;
    const platform::paths::Mapped& m = *mapped;
    if (m.windows.size() > kMaxDirectoryPath) {
        SetLastError(ERROR_FILENAME_EXCED_RANGE);
        return FALSE;
    }
    if (m.exists) {
        SetLastError(ERROR_ALREADY_EXISTS);
        return FALSE;
    }
    if (::mkdir(m.host.c_str(), 0755) != 0) {
        SetLastError(errno == EEXIST ? ERROR_ALREADY_EXISTS : errno == ENOENT ? ERROR_PATH_NOT_FOUND : ERROR_ACCESS_DENIED);
        return FALSE;
    }
    SetLastError(ERROR_SUCCESS);
    return TRUE;
}

BOOL WINAPI RemoveDirectoryA(LPCSTR path) {
    std::optional<platform::paths::Mapped> mapped = platform::paths::mapForCall(path, true);
    if (!mapped) return FALSE;
    const platform::paths::Mapped& m = *mapped;
    struct stat st {};
    if (::lstat(m.host.c_str(), &st) != 0 || !S_ISDIR(st.st_mode)) {
        SetLastError(ERROR_DIRECTORY);
        return FALSE;
    }
    if (m.windows.size() == 3 || platform::files::isReadOnly(m.host)) {  // a drive root, or protected
        SetLastError(ERROR_ACCESS_DENIED);
        return FALSE;
    }
    std::error_code ec;
    if (!std::filesystem::is_empty(m.host, ec)) {
        SetLastError(ERROR_DIR_NOT_EMPTY);
        return FALSE;
    }
    if (::rmdir(m.host.c_str()) != 0) {
        SetLastError(errno == ENOTEMPTY ? ERROR_DIR_NOT_EMPTY : ERROR_ACCESS_DENIED);
        return FALSE;
    }
    SetLastError(ERROR_SUCCESS);
    return TRUE;
}
