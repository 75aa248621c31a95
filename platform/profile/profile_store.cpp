#include "profile/profile_store.h"

#include "kernel/attributes.h"
#include "kernel/share_locks.h"
#include "win/kernel.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <cerrno>
#include <string>

namespace fs = std::filesystem;

namespace platform::profile {

namespace {

DWORD errorOf(int hostError) {
    switch (hostError) {
    case ENOENT:
        return ERROR_FILE_NOT_FOUND;
    case ENOTDIR:
        return ERROR_PATH_NOT_FOUND;
    case EACCES:
    case EPERM:
    case EROFS:
    case EISDIR:
        return ERROR_ACCESS_DENIED;
    case ENOSPC:
    case EDQUOT:
    case EIO:
        return ERROR_WRITE_FAULT;
    default:
        return ERROR_ACCESS_DENIED;
    }
}

// A host file descriptor closed when it goes out of scope.
class Descriptor {
public:
    explicit Descriptor(int fd = -1) : fd_(fd) {}
    ~Descriptor() { reset(); }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    int get() const { return fd_; }
    explicit operator bool() const { return fd_ >= 0; }
    // Closes now; false when the close reports a failure of the writes before it.
    bool reset() {
        const bool closed = fd_ < 0 || ::close(fd_) == 0;
        fd_ = -1;
        return closed;
    }

private:
    int fd_;
};

bool readAll(int fd, std::string& text) {
    char chunk[65536];
    for (;;) {
        const ssize_t got = ::read(fd, chunk, sizeof chunk);
        if (got < 0 && errno == EINTR) {
            continue;
        }
        if (got < 0) {
            return false;
        }
        if (got == 0) {
            return true;
        }
        text.append(chunk, static_cast<std::size_t>(got));
    }
}

bool writeAll(int fd, const std::string& text) {
    std::size_t written = 0;
    while (written < text.size()) {
        const ssize_t put = ::write(fd, text.data() + written, text.size() - written);
        if (put < 0 && errno == EINTR) {
            continue;
        }
        if (put <= 0) {
            return false;
        }
        written += static_cast<std::size_t>(put);
    }
    return true;
}

// A name for the new text beside the file, unique among the writers of all processes.
fs::path temporaryBeside(const fs::path& host) {
    static std::atomic<unsigned> counter{0};
    return host.parent_path() /
           (host.filename().native() + ".~" + std::to_string(::getpid()) + "-" + std::to_string(++counter));
}

// Host clocks stamp files in ticks of a few milliseconds; this is well beyond any of them.
constexpr std::chrono::milliseconds kStampTick{100};

// True when a later change of the file could still carry the same stamp as SIGNATURE.
bool stampedNear(const ProfileStore::Signature& signature, std::chrono::system_clock::time_point readingTime) {
    const auto stamp = std::chrono::system_clock::time_point(
        std::chrono::duration_cast<std::chrono::system_clock::duration>(
            std::chrono::seconds(signature.modifiedSeconds) + std::chrono::nanoseconds(signature.modifiedNanoseconds)));
    return stamp + kStampTick > readingTime;
}

}  // namespace

ProfileStore& ProfileStore::instance() {
    static ProfileStore store;
    return store;
}

namespace {

ProfileStore::Signature signatureFrom(const struct stat& status, int codePage) {
    return ProfileStore::Signature{.size = static_cast<std::uintmax_t>(status.st_size),
                                   .modifiedSeconds = status.st_mtim.tv_sec,
                                   .modifiedNanoseconds = status.st_mtim.tv_nsec,
                                   .inode = status.st_ino,
                                   .codePage = codePage};
}

}  // namespace

std::optional<ProfileStore::Signature> ProfileStore::signatureOf(const fs::path& host, int codePage, DWORD& error) {
    struct stat status {};
    if (::lstat(host.c_str(), &status) != 0) {
        error = errorOf(errno);
        return std::nullopt;
    }
    if (!S_ISREG(status.st_mode)) {
        error = ERROR_ACCESS_DENIED;
        return std::nullopt;
    }
    return signatureFrom(status, codePage);
}

ProfileStore::Cached ProfileStore::cached(const fs::path& host, const Signature& signature) {
    std::lock_guard guard(lock_);
    const auto found = entries_.find(host);
    if (found == entries_.end() || !(found->second.signature == signature)) {
        return {};
    }
    found->second.lastUse = ++useCounter_;
    return {found->second.document, !found->second.recent};
}

std::shared_ptr<const IniDocument> ProfileStore::load(const fs::path& host, int codePage, DWORD& error) {
    const std::optional<Signature> signature = signatureOf(host, codePage, error);
    if (!signature) {
        return nullptr;
    }
    const Cached known = cached(host, *signature);
    if (known.trusted) {
        return known.document;
    }
    const auto readingTime = std::chrono::system_clock::now();
    // The signature that goes with the text is taken from the open file itself, so a change
    // between the look above and the read is seen at the next call.
    Descriptor file(::open(host.c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW));
    if (!file) {
        error = errorOf(errno);
        return nullptr;
    }
    struct stat status {};
    std::string text;
    if (::fstat(file.get(), &status) != 0 || !readAll(file.get(), text)) {
        error = ERROR_READ_FAULT;
        return nullptr;
    }
    const Signature read = signatureFrom(status, codePage);
    const bool recent = stampedNear(read, readingTime);
    if (known.document && read == *signature && known.document->text() == text) {
        keep(host, read, known.document, recent);
        return known.document;
    }
    auto document = std::make_shared<const IniDocument>(std::move(text), NameFolding(codePage));
    keep(host, read, document, recent);
    return document;
}

bool ProfileStore::update(const fs::path& host, int codePage, const Edit& edit, DWORD& error) {
    Descriptor folder(::open(host.parent_path().c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (!folder) {
        error = ERROR_PATH_NOT_FOUND;
        return false;
    }
    while (::flock(folder.get(), LOCK_EX) != 0) {
        if (errno != EINTR) {
            error = errorOf(errno);
            return false;
        }
    }
    DWORD loadError = 0;
    std::shared_ptr<const IniDocument> current = load(host, codePage, loadError);
    if (!current && loadError != ERROR_FILE_NOT_FOUND) {
        error = loadError;
        return false;
    }
    const IniDocument empty{std::string(), NameFolding(codePage)};
    const IniDocument& before = current ? *current : empty;
    const std::string after = edit(before);
    if (after == before.text()) {
        return true;  // nothing to write (deleting from a missing file creates none either)
    }
    const bool replaced = replace(host, after, codePage, error);
    if (replaced) {
        ::fsync(folder.get());  // the rename itself survives a crash
    }
    return replaced;
}

bool ProfileStore::replace(const fs::path& host, const std::string& text, int codePage, DWORD& error) {
    struct stat old {};
    const bool exists = ::lstat(host.c_str(), &old) == 0;
    if (exists) {
        if (!S_ISREG(old.st_mode) || files::isReadOnly(host)) {
            error = ERROR_ACCESS_DENIED;
            return false;
        }
        Descriptor opened(::open(host.c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW));
        if (!opened || !files::takeShareLocks(opened.get(), GENERIC_WRITE,
                                              FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE)) {
            error = ERROR_SHARING_VIOLATION;
            return false;
        }
    }

    const fs::path temporary = temporaryBeside(host);
    const mode_t mode = exists ? (old.st_mode & 07777) : 0644;
    Descriptor file(::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, mode));
    if (!file) {
        error = errorOf(errno);
        return false;
    }
    struct stat status {};
    const bool written = ::fchmod(file.get(), mode) == 0 && writeAll(file.get(), text) &&
                         ::fsync(file.get()) == 0 && ::fstat(file.get(), &status) == 0;
    if (!file.reset() || !written) {
        ::unlink(temporary.c_str());
        error = ERROR_WRITE_FAULT;
        return false;
    }
    if (exists) {
        // Hidden and system stay; the archive mark says the file changed since its last backup.
        const DWORD attributes = files::attributesOf(host);
        if (attributes != INVALID_FILE_ATTRIBUTES) {
            files::setAttributesOf(temporary, (attributes & ~DWORD{FILE_ATTRIBUTE_NORMAL}) | FILE_ATTRIBUTE_ARCHIVE);
        }
    }
    if (::rename(temporary.c_str(), host.c_str()) != 0) {
        error = errorOf(errno);
        ::unlink(temporary.c_str());
        return false;
    }
    // The renamed file keeps the inode, size and stamp of the file just written.
    keep(host, signatureFrom(status, codePage), std::make_shared<const IniDocument>(text, NameFolding(codePage)),
         true);
    return true;
}

void ProfileStore::keep(const fs::path& host, Signature signature, std::shared_ptr<const IniDocument> document,
                        bool recent) {
    std::lock_guard guard(lock_);
    if (entries_.size() >= kMaxFiles && !entries_.contains(host)) {
        auto oldest = entries_.begin();
        for (auto it = entries_.begin(); it != entries_.end(); ++it) {
            if (it->second.lastUse < oldest->second.lastUse) {
                oldest = it;
            }
        }
        entries_.erase(oldest);
    }
    entries_[host] = Entry{signature, std::move(document), recent, ++useCounter_};
}

void ProfileStore::forget(const fs::path& host) {
    std::lock_guard guard(lock_);
    entries_.erase(host);
}

}  // namespace platform::profile
