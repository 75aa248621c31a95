#include "kernel/attributes.h"

#include "win/kernel.h"

#include <sys/stat.h>
#include <sys/xattr.h>

namespace platform::files {
namespace {

constexpr const char* kXattr = "user.dos.attributes";
constexpr DWORD kKeptInXattr = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_ARCHIVE;
constexpr DWORD kSettable = kKeptInXattr | FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_NORMAL;

}  // namespace

bool isReadOnly(const std::filesystem::path& host) {
    struct stat st {};
    return ::lstat(host.c_str(), &st) == 0 && !(st.st_mode & S_IWUSR);
}

DWORD attributesOf(const std::filesystem::path& host) {
    struct stat st {};
    if (::lstat(host.c_str(), &st) != 0) return INVALID_FILE_ATTRIBUTES;
    const bool dir = S_ISDIR(st.st_mode);
    DWORD a = dir ? FILE_ATTRIBUTE_DIRECTORY : 0;
    if (!(st.st_mode & S_IWUSR)) a |= FILE_ATTRIBUTE_READONLY;
    unsigned char stored = 0;
    if (::lgetxattr(host.c_str(), kXattr, &stored, 1) == 1)
        a |= stored & kKeptInXattr;
    else if (!dir)
        a |= FILE_ATTRIBUTE_ARCHIVE;  // a file never marked otherwise is new, so not yet backed up
    if (a == 0) a = dir ? FILE_ATTRIBUTE_DIRECTORY : FILE_ATTRIBUTE_NORMAL;
    return a;
}

bool setAttributesOf(const std::filesystem::path& host, DWORD attributes) {
    struct stat st {};
    if (::lstat(host.c_str(), &st) != 0) {
        SetLastError(ERROR_FILE_NOT_FOUND);
        return false;
    }
    if (attributes & ~(kSettable | FILE_ATTRIBUTE_DIRECTORY)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return false;
    }
    const unsigned char stored = static_cast<unsigned char>(attributes & kKeptInXattr);
    const bool wantStored = stored != 0 || !S_ISDIR(st.st_mode);
    if (wantStored && ::lsetxattr(host.c_str(), kXattr, &stored, 1, 0) != 0 &&
        (stored & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM))) {
        SetLastError(ERROR_ACCESS_DENIED);  // the host folder cannot keep them
        return false;
    }
    mode_t mode = st.st_mode & 07777;
    mode = (attributes & FILE_ATTRIBUTE_READONLY) ? (mode & ~mode_t{0222}) : (mode | S_IWUSR);
    if (::chmod(host.c_str(), mode) != 0) {
        SetLastError(ERROR_ACCESS_DENIED);
        return false;
    }
    return true;
}

}  // namespace platform::files
