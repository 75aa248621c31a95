#include "kernel/paths.h"

#include "kernel/pc.h"
#include "kernel/text.h"
#include "win/kernel.h"

#include <sys/stat.h>

#include <array>
#include <cctype>
#include <mutex>
#include <vector>

namespace fs = std::filesystem;

namespace platform::paths {
namespace {

struct CurrentDirectories {
    std::mutex lock;
    char drive = 'C';
    std::array<std::string, 26> perDrive;  // empty: the drive's root
};

CurrentDirectories& cwd() {
    static CurrentDirectories c;
    return c;
}

char upper(char c) { return static_cast<char>(std::toupper(static_cast<unsigned char>(c))); }

bool isSeparator(char c) { return c == '\\' || c == '/'; }

bool isDriveLetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }

bool invalidNameChar(unsigned char c) {
    return c < 32 || c == '<' || c == '>' || c == ':' || c == '"' || c == '|' || c == '?' || c == '*';
}

std::vector<std::string> splitComponents(std::string_view s) {
    std::vector<std::string> parts;
    std::string part;
    for (char c : s) {
        if (isSeparator(c)) {
            if (!part.empty()) parts.push_back(std::move(part));
            part.clear();
        } else {
            part.push_back(c);
        }
    }
    if (!part.empty()) parts.push_back(std::move(part));
    return parts;
}

std::string driveRoot(char drive) { return std::string(1, drive) + ":\\"; }

std::string driveCurrent(char drive) {
    CurrentDirectories& c = cwd();
    std::lock_guard guard(c.lock);
    const std::string& d = c.perDrive[static_cast<std::size_t>(drive - 'A')];
    return d.empty() ? driveRoot(drive) : d;
}

char currentDrive() {
    CurrentDirectories& c = cwd();
    std::lock_guard guard(c.lock);
    return c.drive;
}

// ASCII letters compare without case; every other byte exactly (names are UTF-8 on the host).
bool sameHostName(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (std::toupper(static_cast<unsigned char>(a[i])) != std::toupper(static_cast<unsigned char>(b[i])))
            return false;
    return true;
}

int codePage() { return Pc::current().settings().codePage; }

}  // namespace

bool sameName(std::string_view a, std::string_view b) { return sameHostName(a, b); }

std::optional<std::string> fullPath(std::string_view path, DWORD& error) {
    error = ERROR_SUCCESS;
    if (path.empty()) {
        error = ERROR_PATH_NOT_FOUND;
        return std::nullopt;
    }
    if (path.size() >= 2 && isSeparator(path[0]) && isSeparator(path[1])) {
        error = ERROR_BAD_PATHNAME;  // network names are not part of this PC
        return std::nullopt;
    }
    char drive;
    std::string base;
    std::string_view rest;
    if (path.size() >= 2 && path[1] == ':') {
        if (!isDriveLetter(path[0])) {
            error = ERROR_INVALID_NAME;
            return std::nullopt;
        }
        drive = upper(path[0]);
        rest = path.substr(2);
        base = (!rest.empty() && isSeparator(rest[0])) ? driveRoot(drive) : driveCurrent(drive);
    } else {
        drive = currentDrive();
        rest = path;
        base = isSeparator(rest[0]) ? driveRoot(drive) : driveCurrent(drive);
    }

    std::vector<std::string> parts = splitComponents(std::string_view(base).substr(3));
    for (std::string& part : splitComponents(rest)) {
        if (part == ".") continue;
        if (part == "..") {
            if (!parts.empty()) parts.pop_back();  // ".." stops at the drive root
            continue;
        }
        for (unsigned char c : part) {
            if (invalidNameChar(c)) {
                error = ERROR_INVALID_NAME;
                return std::nullopt;
            }
        }
        // The platform drops trailing dots and blanks of a name.
        std::size_t end = part.find_last_not_of(". ");
        if (end == std::string::npos) {
            error = ERROR_INVALID_NAME;
            return std::nullopt;
        }
        part.resize(end + 1);
        if (part.size() > kMaxComponent) {
            error = ERROR_FILENAME_EXCED_RANGE;
            return std::nullopt;
        }
        parts.push_back(std::move(part));
    }
    std::string full = driveRoot(drive);
    for (std::size_t i = 0; i < parts.size(); ++i) {
        if (i) full += '\\';
        full += parts[i];
    }
    if (full.size() + 1 > kMaxPath) {
        error = ERROR_FILENAME_EXCED_RANGE;
        return std::nullopt;
    }
    return full;
}

Mapped map(std::string_view path) {
    Mapped m;
    std::optional<std::string> full = fullPath(path, m.error);
    if (!full) return m;
    m.windows = *full;
    const Pc& pc = Pc::current();
    const char drive = m.windows[0];
    if (!pc.hasDrive(drive)) {
        m.error = ERROR_PATH_NOT_FOUND;
        return m;
    }
    fs::path host = pc.driveFolder(drive);
    const std::vector<std::string> parts = splitComponents(std::string_view(m.windows).substr(3));
    const int cp = codePage();
    for (std::size_t i = 0; i < parts.size(); ++i) {
        const bool last = i + 1 == parts.size();
        const std::string name = text::toUtf8(parts[i], cp);
        fs::path candidate = host / name;
        struct stat st {};
        bool found = ::lstat(candidate.c_str(), &st) == 0;
        if (!found) {
            std::error_code ec;
            for (const fs::directory_entry& e : fs::directory_iterator(host, ec)) {
                if (sameHostName(e.path().filename().native(), name)) {
                    candidate = e.path();
                    found = ::lstat(candidate.c_str(), &st) == 0;
                    break;
                }
            }
        }
        if (!found) {
            if (!last) {
                m.error = ERROR_PATH_NOT_FOUND;
                return m;
            }
            m.host = candidate;
            return m;
        }
        if (S_ISLNK(st.st_mode)) {
            m.error = ERROR_ACCESS_DENIED;  // links could lead out of the PC
            return m;
        }
        if (!last && !S_ISDIR(st.st_mode)) {
            m.error = ERROR_PATH_NOT_FOUND;
            return m;
        }
        host = candidate;
    }
    m.host = host;
    m.exists = true;
    return m;
}

std::optional<Mapped> mapForCall(const char* path, bool mustExist) {
    if (!path) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return std::nullopt;
    }
    Mapped m = map(path);
    if (!m) {
        SetLastError(m.error);
        return std::nullopt;
    }
    if (mustExist && !m.exists) {
        SetLastError(ERROR_FILE_NOT_FOUND);
        return std::nullopt;
    }
    return m;
}

std::optional<std::string> toWindows(const fs::path& host) {
    const Pc& pc = Pc::current();
    std::error_code ec;
    fs::path abs = fs::absolute(host, ec).lexically_normal();
    fs::path rel = abs.lexically_relative(pc.root());
    if (rel.empty() || *rel.begin() == "..") return std::nullopt;
    auto it = rel.begin();
    const std::string driveName = it->string();
    if (driveName.size() != 1 || !isDriveLetter(driveName[0])) return std::nullopt;
    std::string result = driveRoot(upper(driveName[0]));
    const int cp = codePage();
    bool first = true;
    for (++it; it != rel.end(); ++it) {
        if (it->empty()) continue;
        if (!first) result += '\\';
        result += text::fromUtf8(it->string(), cp);
        first = false;
    }
    return result;
}

std::string currentDirectory() { return driveCurrent(currentDrive()); }

std::string currentDirectoryOf(char drive) { return driveCurrent(upper(drive)); }

bool setCurrentDirectory(std::string_view path, DWORD& error) {
    Mapped m = map(path);
    if (!m) {
        error = m.error;
        return false;
    }
    std::error_code ec;
    if (!m.exists || !fs::is_directory(m.host, ec)) {
        error = m.exists ? ERROR_DIRECTORY : ERROR_FILE_NOT_FOUND;
        return false;
    }
    // Keep the stored case of each name, as the platform reports it.
    std::string stored = toWindows(m.host).value_or(m.windows);
    CurrentDirectories& c = cwd();
    std::lock_guard guard(c.lock);
    c.drive = stored[0];
    c.perDrive[static_cast<std::size_t>(stored[0] - 'A')] = stored;
    error = ERROR_SUCCESS;
    return true;
}

void resetCurrentDirectories() {
    CurrentDirectories& c = cwd();
    std::lock_guard guard(c.lock);
    c.drive = 'C';
    c.perDrive = {};
}

}  // namespace platform::paths
