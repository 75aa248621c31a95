#include "dialog/template_names.h"

#include "kernel/pc.h"

#include <fstream>
#include <sstream>

namespace platform::dialog {
namespace {

std::uint64_t number(HWND h) { return reinterpret_cast<std::uintptr_t>(h); }

}  // namespace

std::filesystem::path templateNameFile(const std::filesystem::path& runFolder, std::uint64_t dialog) {
    return runFolder / "templates" / std::to_string(dialog);
}

void recordTemplateName(HWND dialog, const std::string& name) {
    if (!Pc::hasCurrent()) return;
    std::filesystem::path file = templateNameFile(Pc::current().runFolder(), number(dialog));
    std::error_code ec;
    std::filesystem::create_directories(file.parent_path(), ec);
    std::ofstream(file, std::ios::binary | std::ios::trunc) << name;
}

void forgetTemplateName(HWND dialog) {
    if (!Pc::hasCurrent()) return;
    std::error_code ec;
    std::filesystem::remove(templateNameFile(Pc::current().runFolder(), number(dialog)), ec);
}

std::optional<std::string> templateNameOf(const std::filesystem::path& runFolder, std::uint64_t dialog) {
    std::ifstream in(templateNameFile(runFolder, dialog), std::ios::binary);
    if (!in) return std::nullopt;
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

}  // namespace platform::dialog
