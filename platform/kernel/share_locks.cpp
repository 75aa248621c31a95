#include "kernel/share_locks.h"

#include "win/kernel.h"

#include <fcntl.h>

#include <initializer_list>

namespace platform::files {
namespace {

constexpr off_t kBase = off_t{1} << 62;
enum Byte : off_t { Reads = 0, Writes = 1, RefusesDelete = 2, RefusesRead = 3, RefusesWrite = 4 };

bool heldByOthers(int fd, Byte b) {
    struct flock fl {};
    fl.l_type = F_WRLCK;
    fl.l_whence = SEEK_SET;
    fl.l_start = kBase + b;
    fl.l_len = 1;
    if (::fcntl(fd, F_OFD_GETLK, &fl) != 0) return false;
    return fl.l_type != F_UNLCK;
}

void hold(int fd, Byte b) {
    struct flock fl {};
    fl.l_type = F_RDLCK;
    fl.l_whence = SEEK_SET;
    fl.l_start = kBase + b;
    fl.l_len = 1;
    ::fcntl(fd, F_OFD_SETLK, &fl);
}

}  // namespace

bool takeShareLocks(int fd, DWORD access, DWORD shareMode) {
    const bool reads = access & GENERIC_READ;
    const bool writes = access & GENERIC_WRITE;
    const bool sharesRead = shareMode & FILE_SHARE_READ;
    const bool sharesWrite = shareMode & FILE_SHARE_WRITE;
    const bool sharesDelete = shareMode & FILE_SHARE_DELETE;
    if ((reads && heldByOthers(fd, RefusesRead)) || (writes && heldByOthers(fd, RefusesWrite)) ||
        (!sharesRead && heldByOthers(fd, Reads)) || (!sharesWrite && heldByOthers(fd, Writes)))
        return false;
    if (reads) hold(fd, Reads);
    if (writes) hold(fd, Writes);
    if (!sharesRead) hold(fd, RefusesRead);
    if (!sharesWrite) hold(fd, RefusesWrite);
    if (!sharesDelete) hold(fd, RefusesDelete);
    return true;
}

bool deletionRefused(int fd) { return heldByOthers(fd, RefusesDelete); }

}  // namespace platform::files
