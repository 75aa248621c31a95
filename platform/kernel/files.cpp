// CreateFileA and the calls on its handles; DeleteFileA.
#include "kernel/attributes.h"
#include "kernel/file_object.h"
#include "kernel/hooks.h"
#include "kernel/paths.h"
#include "kernel/share_locks.h"
#include "win/kernel.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>

namespace platform::files {
namespace {

bool runningImage(const std::filesystem::path& host) {
    return hooks::isRunningImage() && hooks::isRunningImage()(host);
}

DWORD errorFromErrno(int e) {
    switch (e) {
    case ENOENT: return ERROR_FILE_NOT_FOUND;
    case ENOTDIR: return ERROR_PATH_NOT_FOUND;
    case EEXIST: return ERROR_FILE_EXISTS;
    case EACCES:
    case EPERM:
    case EISDIR: return ERROR_ACCESS_DENIED;
    case EROFS: return ERROR_WRITE_PROTECT;
    case EMFILE:
    case ENFILE: return ERROR_TOO_MANY_OPEN_FILES;
    case ENOSPC: return ERROR_DISK_FULL;
    case ENAMETOOLONG: return ERROR_FILENAME_EXCED_RANGE;
    default: return ERROR_ACCESS_DENIED;
    }
}

HANDLE fail(DWORD error) {
    SetLastError(error);
    return INVALID_HANDLE_VALUE;
}

}  // namespace

FileObject::~FileObject() { ::close(fd_); }
bool FileObject::canRead() const { return access_ & GENERIC_READ; }
bool FileObject::canWrite() const { return access_ & GENERIC_WRITE; }

FileObject* find(HANDLE handle) {
    FileObject* f = handles::findAs<FileObject>(handle);
    if (!f) SetLastError(ERROR_INVALID_HANDLE);
    return f;
}

HANDLE open(const char* path, DWORD access, DWORD shareMode, DWORD disposition, DWORD attributes) {
    if (!path) return fail(ERROR_INVALID_PARAMETER);
    if (disposition < CREATE_NEW || disposition > TRUNCATE_EXISTING) return fail(ERROR_INVALID_PARAMETER);
    const bool writes = access & GENERIC_WRITE;
    if (disposition == TRUNCATE_EXISTING && !writes) return fail(ERROR_INVALID_PARAMETER);
    paths::Mapped m = paths::map(path);
    if (!m) return fail(m.error);

    struct stat st {};
    const bool existed = m.exists && ::stat(m.host.c_str(), &st) == 0;
    if (existed && S_ISDIR(st.st_mode)) return fail(ERROR_ACCESS_DENIED);
    if (existed && disposition == CREATE_NEW) return fail(ERROR_FILE_EXISTS);
    if (!existed && (disposition == OPEN_EXISTING || disposition == TRUNCATE_EXISTING))
        return fail(ERROR_FILE_NOT_FOUND);
    const bool truncates = existed && (disposition == CREATE_ALWAYS || disposition == TRUNCATE_EXISTING);
    if (existed && (writes || truncates)) {
        if (isReadOnly(m.host)) return fail(ERROR_ACCESS_DENIED);
        if (runningImage(m.host)) return fail(ERROR_SHARING_VIOLATION);
    }

    int flags = O_CLOEXEC | O_NOFOLLOW | ((writes || truncates) ? O_RDWR : O_RDONLY);
    if (!existed) flags |= O_CREAT | O_EXCL;
    int fd = ::open(m.host.c_str(), flags, 0644);
    if (fd < 0 && (flags & O_RDWR) && (errno == EACCES)) fd = ::open(m.host.c_str(), flags & ~O_RDWR, 0644);
    if (fd < 0) return fail(errorFromErrno(errno));
    if (!takeShareLocks(fd, access, shareMode)) {
        ::close(fd);
        return fail(ERROR_SHARING_VIOLATION);
    }
    if (truncates && ::ftruncate(fd, 0) != 0) {
        ::close(fd);
        return fail(ERROR_ACCESS_DENIED);
    }
    if (!existed) setAttributesOf(m.host, attributes & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN |
                                                        FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_ARCHIVE));
    HANDLE h = handles::add(std::make_unique<FileObject>(fd, m.windows, m.host, access));
    SetLastError(existed && (disposition == CREATE_ALWAYS || disposition == OPEN_ALWAYS) ? ERROR_ALREADY_EXISTS
                                                                                         : ERROR_SUCCESS);
    return h;
}

bool remove(const char* path) {
    std::optional<paths::Mapped> mapped = paths::mapForCall(path, true);
    if (!mapped) return false;
    const paths::Mapped& m = *mapped;
    struct stat st {};
    if (::lstat(m.host.c_str(), &st) != 0) {
        SetLastError(ERROR_FILE_NOT_FOUND);
        return false;
    }
    if (S_ISDIR(st.st_mode) || isReadOnly(m.host) || runningImage(m.host)) {
        SetLastError(ERROR_ACCESS_DENIED);
        return false;
    }
    int fd = ::open(m.host.c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW);
    if (fd >= 0) {
        const bool refused = deletionRefused(fd);
        ::close(fd);
        if (refused) {
            SetLastError(ERROR_SHARING_VIOLATION);
            return false;
        }
    }
    if (::unlink(m.host.c_str()) != 0) {
        SetLastError(errorFromErrno(errno));
        return false;
    }
    SetLastError(ERROR_SUCCESS);
    return true;
}

}  // namespace platform::files

using platform::files::FileObject;

HANDLE WINAPI CreateFileA(LPCSTR path, DWORD access, DWORD shareMode, LPSECURITY_ATTRIBUTES, DWORD disposition,
                          DWORD flagsAndAttributes, HANDLE) {
    return platform::files::open(path, access, shareMode, disposition, flagsAndAttributes);
}

BOOL WINAPI ReadFile(HANDLE file, LPVOID buffer, DWORD toRead, LPDWORD read, void*) {
    if (read) *read = 0;
    FileObject* f = platform::files::find(file);
    if (!f) return FALSE;
    if (!f->canRead() || (!buffer && toRead)) {
        SetLastError(ERROR_ACCESS_DENIED);
        return FALSE;
    }
    DWORD total = 0;
    while (total < toRead) {
        ssize_t n = ::read(f->fd(), static_cast<char*>(buffer) + total, toRead - total);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) {
            SetLastError(ERROR_READ_FAULT);
            return FALSE;
        }
        if (n == 0) break;
        total += static_cast<DWORD>(n);
    }
    if (read) *read = total;
    return TRUE;
}

BOOL WINAPI WriteFile(HANDLE file, LPCVOID buffer, DWORD toWrite, LPDWORD written, void*) {
    if (written) *written = 0;
    FileObject* f = platform::files::find(file);
    if (!f) return FALSE;
    if (!f->canWrite() || (!buffer && toWrite)) {
        SetLastError(ERROR_ACCESS_DENIED);
        return FALSE;
    }
    DWORD total = 0;
    while (total < toWrite) {
        ssize_t n = ::write(f->fd(), static_cast<const char*>(buffer) + total, toWrite - total);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) {
            SetLastError(errno == ENOSPC ? ERROR_DISK_FULL : ERROR_WRITE_FAULT);
            if (written) *written = total;
            return FALSE;
        }
        total += static_cast<DWORD>(n);
    }
    if (written) *written = total;
    return TRUE;
}

DWORD WINAPI SetFilePointer(HANDLE file, LONG distance, LPLONG distanceHigh, DWORD method) {
    FileObject* f = platform::files::find(file);
    if (!f) return INVALID_SET_FILE_POINTER;
    int whence = method == FILE_BEGIN ? SEEK_SET : method == FILE_CURRENT ? SEEK_CUR : method == FILE_END ? SEEK_END : -1;
    if (whence < 0) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return INVALID_SET_FILE_POINTER;
    }
    off_t offset = distanceHigh ? static_cast<off_t>((static_cast<std::uint64_t>(static_cast<DWORD>(*distanceHigh)) << 32) |
                                                     static_cast<DWORD>(distance))
                                : static_cast<off_t>(distance);
    off_t base = whence == SEEK_SET ? 0 : ::lseek(f->fd(), 0, whence);
    if (base + offset < 0) {
        SetLastError(ERROR_NEGATIVE_SEEK);
        return INVALID_SET_FILE_POINTER;
    }
    off_t pos = ::lseek(f->fd(), base + offset, SEEK_SET);
    if (!distanceHigh && pos > LONG_MAX) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return INVALID_SET_FILE_POINTER;
    }
    if (distanceHigh) *distanceHigh = static_cast<LONG>(static_cast<std::uint64_t>(pos) >> 32);
    SetLastError(ERROR_SUCCESS);
    return static_cast<DWORD>(pos);
}

DWORD WINAPI GetFileSize(HANDLE file, LPDWORD sizeHigh) {
    FileObject* f = platform::files::find(file);
    if (!f) return INVALID_FILE_SIZE;
    struct stat st {};
    if (::fstat(f->fd(), &st) != 0) {
        SetLastError(ERROR_INVALID_HANDLE);
        return INVALID_FILE_SIZE;
    }
    if (sizeHigh) *sizeHigh = static_cast<DWORD>(static_cast<std::uint64_t>(st.st_size) >> 32);
    SetLastError(ERROR_SUCCESS);
    return static_cast<DWORD>(st.st_size);
}

BOOL WINAPI SetEndOfFile(HANDLE file) {
    FileObject* f = platform::files::find(file);
    if (!f) return FALSE;
    if (!f->canWrite()) {
        SetLastError(ERROR_ACCESS_DENIED);
        return FALSE;
    }
    return ::ftruncate(f->fd(), ::lseek(f->fd(), 0, SEEK_CUR)) == 0;
}

BOOL WINAPI FlushFileBuffers(HANDLE file) {
    FileObject* f = platform::files::find(file);
    return f && ::fsync(f->fd()) == 0;
}

BOOL WINAPI CloseHandle(HANDLE object) {
    if (!platform::handles::close(object)) {
        SetLastError(ERROR_INVALID_HANDLE);
        return FALSE;
    }
    return TRUE;
}

BOOL WINAPI DeleteFileA(LPCSTR path) { return platform::files::remove(path); }

DWORD WINAPI GetFileAttributesA(LPCSTR path) {
    std::optional<platform::paths::Mapped> mapped = platform::paths::mapForCall(path, true);
    if (!mapped) return INVALID_FILE_ATTRIBUTES;
    return platform::files::attributesOf(mapped->host);
}

BOOL WINAPI SetFileAttributesA(LPCSTR path, DWORD attributes) {
    std::optional<platform::paths::Mapped> mapped = platform::paths::mapForCall(path, true);
    if (!mapped) return FALSE;
    return platform::files::setAttributesOf(mapped->host, attributes);
}
