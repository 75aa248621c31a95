#include "host_files.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <fstream>
#include <stdexcept>
#include <string>

namespace kit {
namespace {

namespace fs = std::filesystem;

std::runtime_error fileError(const char* what, const fs::path& file, int error) {
    return std::runtime_error(std::string(what) + " '" + file.string() + "': " + std::strerror(error));
}

// A temporary file beside the target, removed again unless committed.
class TemporaryFile {
public:
    explicit TemporaryFile(const fs::path& target) : target_(target) {
        fs::path folder = target.parent_path().empty() ? fs::path(".") : target.parent_path();
        std::string pattern = (folder / ("." + target.filename().string() + ".XXXXXX")).string();
        fd_ = mkstemp(pattern.data());
        if (fd_ < 0) throw fileError("cannot write", target_, errno);
        path_ = pattern;
    }
    ~TemporaryFile() {
        if (fd_ >= 0) close(fd_);
        if (!committed_) unlink(path_.c_str());
    }
    TemporaryFile(const TemporaryFile&) = delete;
    TemporaryFile& operator=(const TemporaryFile&) = delete;

    void write(std::span<const std::uint8_t> data) {
        while (!data.empty()) {
            ssize_t n = ::write(fd_, data.data(), data.size());
            if (n < 0 && errno == EINTR) continue;
            if (n < 0) throw fileError("cannot write", target_, errno);
            data = data.subspan(static_cast<std::size_t>(n));
        }
    }

    // Gives the file the usual permissions, and its content the target's name.
    void commit() {
        mode_t mask = umask(0);
        umask(mask);
        if (fchmod(fd_, 0666 & ~mask) != 0 || fsync(fd_) != 0) throw fileError("cannot write", target_, errno);
        int fd = fd_;
        fd_ = -1;
        if (close(fd) != 0) throw fileError("cannot write", target_, errno);
        if (rename(path_.c_str(), target_.c_str()) != 0) throw fileError("cannot write", target_, errno);
        committed_ = true;
    }

private:
    fs::path target_;
    fs::path path_;
    int fd_ = -1;
    bool committed_ = false;
};

}  // namespace

std::vector<std::uint8_t> readHostFile(const fs::path& file) {
    std::error_code error;
    if (fs::is_directory(file, error)) throw std::runtime_error("cannot read '" + file.string() + "': it is a folder");
    std::ifstream in(file, std::ios::binary);
    if (!in) throw fileError("cannot read", file, errno);
    std::vector<std::uint8_t> data;
    char buffer[64 * 1024];
    while (in.read(buffer, sizeof buffer) || in.gcount() > 0)
        data.insert(data.end(), buffer, buffer + in.gcount());
    if (in.bad()) throw fileError("cannot read", file, errno);
    return data;
}

void writeHostFileAtomically(const fs::path& file, std::span<const std::uint8_t> data) {
    TemporaryFile temporary(file);
    temporary.write(data);
    temporary.commit();
}

}  // namespace kit
