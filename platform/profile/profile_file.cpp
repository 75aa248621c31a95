#include "profile/profile_file.h"

#include "kernel/paths.h"
#include "win/kernel.h"

namespace platform::profile {

namespace {

bool isBareName(std::string_view name) {
    return name.find_first_of("\\/:") == std::string_view::npos;
}

std::string windowsDirectory() {
    char buffer[MAX_PATH] = {};
    const UINT length = GetWindowsDirectoryA(buffer, sizeof buffer);
    return std::string(buffer, length < sizeof buffer ? length : 0);
}

}  // namespace

ProfileFile locateProfileFile(std::string_view fileName) {
    ProfileFile file;
    if (fileName.empty()) {
        file.error = ERROR_INVALID_PARAMETER;
        return file;
    }
    const std::string path = isBareName(fileName) ? windowsDirectory() + "\\" + std::string(fileName)
                                                  : std::string(fileName);
    const paths::Mapped mapped = paths::map(path);
    file.windows = mapped.windows;
    file.host = mapped.host;
    file.error = mapped.error;
    return file;
}

}  // namespace platform::profile
