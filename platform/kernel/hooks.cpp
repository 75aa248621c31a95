#include "kernel/hooks.h"

namespace platform::hooks {

std::function<bool(const std::filesystem::path& host)>& isRunningImage() {
    static std::function<bool(const std::filesystem::path&)> hook;
    return hook;
}

std::function<bool(const std::string& windowsPath)>& promptMissingFile() {
    static std::function<bool(const std::string&)> hook;
    return hook;
}

}  // namespace platform::hooks
