#include "registry/registry_store.h"

#include "registry/regedit_text.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platform::registry {

namespace {

std::string reason(const std::string& what, const std::filesystem::path& path) {
    return what + " " + path.string() + ": " + std::strerror(errno);
}

class Descriptor {
public:
    explicit Descriptor(int fd) : fd_(fd) {}
    ~Descriptor() {
        if (fd_ >= 0) ::close(fd_);
    }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    int get() const { return fd_; }
    explicit operator bool() const { return fd_ >= 0; }

private:
    int fd_;
};

// Holds the PC's registry lock for as long as it lives.
class ExclusiveLock {
public:
    explicit ExclusiveLock(const std::filesystem::path& lockFile)
        : fd_(::open(lockFile.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644)) {
        if (!fd_) throw RegistryIoError(reason("cannot open the registry lock", lockFile), true);
        while (::flock(fd_.get(), LOCK_EX) != 0)
            if (errno != EINTR) throw RegistryIoError(reason("cannot lock", lockFile), true);
    }

private:
    Descriptor fd_;  // closing it releases the lock
};

void writeAll(int fd, std::string_view data, const std::filesystem::path& path) {
    while (!data.empty()) {
        ssize_t n = ::write(fd, data.data(), data.size());
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) throw RegistryIoError(reason("cannot write", path), true);
        data.remove_prefix(static_cast<std::size_t>(n));
    }
}

}  // namespace

Store::Store(std::filesystem::path file, int codePage) : file_(std::move(file)), codePage_(codePage) {}

const Tree& Store::read() { return load(); }

Tree& Store::load() {
    Descriptor fd(::open(file_.c_str(), O_RDONLY | O_CLOEXEC));
    Version now;
    struct stat st {};
    if (!fd) {
        if (errno != ENOENT) throw RegistryIoError(reason("cannot open", file_), false);
    } else {
        if (::fstat(fd.get(), &st) != 0) throw RegistryIoError(reason("cannot read", file_), false);
        now = {true, st.st_dev, st.st_ino, static_cast<unsigned long long>(st.st_size), st.st_mtim.tv_sec, st.st_mtim.tv_nsec};
    }
    if (tree_ && now == version_) return *tree_;

    std::string text;
    if (fd) {
        text.resize(static_cast<std::size_t>(st.st_size));
        std::size_t done = 0;
        while (done < text.size()) {
            ssize_t n = ::read(fd.get(), text.data() + done, text.size() - done);
            if (n < 0 && errno == EINTR) continue;
            if (n < 0) throw RegistryIoError(reason("cannot read", file_), false);
            if (n == 0) break;
            done += static_cast<std::size_t>(n);
        }
        text.resize(done);
    }
    tree_.reset();
    tree_.emplace(parseRegistry(text, codePage_, file_));
    version_ = now;
    return *tree_;
}

void Store::modify(const std::function<bool(Tree&)>& change) {
    std::filesystem::path lockFile = file_;
    lockFile += ".lock";
    ExclusiveLock lock(lockFile);
    Tree& tree = load();
    bool changed = change(tree);
    if (!changed) return;
    try {
        write(tree);
    } catch (...) {
        tree_.reset();  // the copy in memory no longer matches the file
        throw;
    }
}

void Store::write(const Tree& tree) {
    std::filesystem::path temporary = file_;
    temporary += ".new";
    std::string text = formatRegistry(tree);
    try {
        {
            Descriptor fd(::open(temporary.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644));
            if (!fd) throw RegistryIoError(reason("cannot create", temporary), true);
            writeAll(fd.get(), text, temporary);
        }
        if (::rename(temporary.c_str(), file_.c_str()) != 0)
            throw RegistryIoError(reason("cannot replace", file_), true);
    } catch (...) {
        ::unlink(temporary.c_str());
        throw;
    }
    struct stat st {};
    if (::stat(file_.c_str(), &st) != 0) throw RegistryIoError(reason("cannot read", file_), false);
    version_ = {true, st.st_dev, st.st_ino, static_cast<unsigned long long>(st.st_size), st.st_mtim.tv_sec, st.st_mtim.tv_nsec};
}

}  // namespace platform::registry
