#include "kernel/module.h"

#include "kernel/paths.h"
#include "kernel/pc.h"

#include <filesystem>
#include <mutex>

namespace platform::module {
namespace {

std::mutex lock;
std::optional<std::string> chosen;

}  // namespace

std::optional<std::string> imagePath() {
    {
        std::lock_guard guard(lock);
        if (chosen) return chosen;
    }
    if (!Pc::hasCurrent()) return std::nullopt;
    std::error_code ec;
    std::filesystem::path image = std::filesystem::read_symlink("/proc/self/exe", ec);
    if (ec) return std::nullopt;
    return paths::toWindows(image);
}

void setImagePath(std::string windowsPath) {
    std::lock_guard guard(lock);
    chosen = std::move(windowsPath);
}

std::optional<std::string> imageDirectory() {
    std::optional<std::string> image = imagePath();
    if (!image) return std::nullopt;
    std::size_t slash = image->find_last_of('\\');
    if (slash == std::string::npos) return std::nullopt;
    return image->substr(0, slash == 2 ? 3 : slash);
}

}  // namespace platform::module
