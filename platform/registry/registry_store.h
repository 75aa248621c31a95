// The registry file of one PC, shared by every process of that PC. Reads come from a parsed copy
// that is read again whenever the file changed (another process wrote it); changes are made
// under an exclusive lock on a lock file beside it, on the file's latest contents, and written
// to a new file that then replaces the old one, so a reader sees the old or the new registry and
// never a torn one, and two writers never lose each other's changes.
#pragma once

#include "registry/key_tree.h"

#include <filesystem>
#include <functional>
#include <optional>
#include <stdexcept>

namespace platform::registry {

// The registry file could not be read or written; the message names the file and the reason.
class RegistryIoError : public std::runtime_error {
public:
    RegistryIoError(const std::string& what, bool writing) : std::runtime_error(what), writing_(writing) {}
    bool writing() const { return writing_; }

private:
    bool writing_;
};

class Store {
public:
    Store(std::filesystem::path file, int codePage);

    const std::filesystem::path& file() const { return file_; }
    int codePage() const { return codePage_; }

    // The registry as the file holds it now. Throws RegistryFileError or RegistryIoError.
    const Tree& read();
    // Runs CHANGE on the latest registry under the lock; writes the file when CHANGE returns true.
    void modify(const std::function<bool(Tree&)>& change);

private:
    // What tells one version of the file from another: a new version is a new file.
    struct Version {
        bool exists = false;
        unsigned long long device = 0, inode = 0, size = 0;
        long long seconds = 0, nanoseconds = 0;
        bool operator==(const Version&) const = default;
    };

    Tree& load();
    void write(const Tree& tree);

    std::filesystem::path file_;
    int codePage_;
    std::optional<Tree> tree_;
    Version version_;
};

}  // namespace platform::registry
