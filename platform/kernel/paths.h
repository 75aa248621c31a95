// Windows paths of the PC mapped onto its host folder.
//
// A full Windows path is "X:\A\B" (drive letter upper-case, single backslashes, no "." or ".."
// components, no trailing backslash except for the drive root "X:\"). Components are matched
// against the host folder without regard to case; host names are the UTF-8 form of the Windows
// names in the PC's code page. No path leads outside the PC folder: ".." stops at the drive root
// and a symbolic link met on the way is refused.
#pragma once

#include "win/types.h"

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace platform::paths {

inline constexpr std::size_t kMaxPath = 260;       // MAX_PATH with the terminating zero
inline constexpr std::size_t kMaxComponent = 255;  // one name

// Result of a mapping; on failure `error` holds the platform error code (ERROR_...).
struct Mapped {
    std::string windows;          // full Windows path
    std::filesystem::path host;   // host path (existing components in their stored case)
    bool exists = false;          // the whole path exists on the host
    DWORD error = 0;
    explicit operator bool() const { return error == 0; }
};

// The full form of PATH against the per-drive current directories. Sets `error` (and returns
// nullopt) for an empty path, an unknown drive, invalid characters or a result too long.
std::optional<std::string> fullPath(std::string_view path, DWORD& error);

// Maps PATH onto the host. Missing trailing components are mapped by name; a missing
// intermediate directory gives ERROR_PATH_NOT_FOUND.
Mapped map(std::string_view path);

// map() for a platform call: on a null PATH (ERROR_INVALID_PARAMETER), a failed mapping, or, when
// MUSTEXIST, a missing target (ERROR_FILE_NOT_FOUND) it sets the last error and gives nullopt.
std::optional<Mapped> mapForCall(const char* path, bool mustExist);

// The Windows form of a host path inside the PC (nullopt when it lies outside every drive).
std::optional<std::string> toWindows(const std::filesystem::path& host);

// Per-drive current directory (full Windows path of the drive's current directory).
std::string currentDirectory();
std::string currentDirectoryOf(char drive);
bool setCurrentDirectory(std::string_view path, DWORD& error);
// Forget every drive's current directory (a new PC was attached).
void resetCurrentDirectories();

// Case-insensitive comparison of Windows names as the file system does it (ASCII letters).
bool sameName(std::string_view a, std::string_view b);

}  // namespace platform::paths
