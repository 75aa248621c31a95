// Where a PC's desktop keeps its socket, its start lock and its shared memory blocks.
#pragma once

#include <filesystem>

namespace platform::desktop {

inline std::filesystem::path socketPath(const std::filesystem::path& runFolder) {
    return runFolder / "desktop.sock";
}
inline std::filesystem::path lockPath(const std::filesystem::path& runFolder) {
    return runFolder / "desktop.lock";
}
inline std::filesystem::path sharedMemoryFolder(const std::filesystem::path& runFolder) {
    return runFolder / "global";
}

}  // namespace platform::desktop
