#include "dialog/dialog_record.h"

#include "kernel/pc.h"
#include "user/window.h"

#include <cstdio>
#include <fstream>
#include <sstream>

namespace platform::dialog {
namespace {

std::uint64_t number(HWND h) { return reinterpret_cast<std::uintptr_t>(h); }

}  // namespace

std::filesystem::path dialogRecordFile(const std::filesystem::path& runFolder, std::uint64_t dialog) {
    return runFolder / "dialogs" / std::to_string(dialog);
}

void publishDialogRecord(HWND dialog, const std::string& templateName) {
    user::Window* w = user::localWindow(dialog);
    if (!w || !Pc::hasCurrent()) return;
    std::ostringstream text;
    text << templateName << "\n";
    for (auto it = w->children.rbegin(); it != w->children.rend(); ++it)
        if (user::Window* c = user::localWindow(*it))
            text << static_cast<int>(reinterpret_cast<LONG_PTR>(c->menuOrId)) << " " << number(*it) << "\n";
    std::filesystem::path file = dialogRecordFile(Pc::current().runFolder(), number(dialog));
    std::error_code ec;
    std::filesystem::create_directories(file.parent_path(), ec);
    std::filesystem::path temporary = file;
    temporary += ".new";
    std::ofstream(temporary, std::ios::binary | std::ios::trunc) << text.str();
    std::filesystem::rename(temporary, file, ec);
}

void forgetDialogRecord(HWND dialog) {
    if (!Pc::hasCurrent()) return;
    std::error_code ec;
    std::filesystem::remove(dialogRecordFile(Pc::current().runFolder(), number(dialog)), ec);
}

std::optional<DialogRecord> readDialogRecord(const std::filesystem::path& runFolder, std::uint64_t dialog,
                                             std::string& error) {
    std::filesystem::path file = dialogRecordFile(runFolder, dialog);
    std::ifstream in(file, std::ios::binary);
    if (!in) return std::nullopt;
    DialogRecord record;
    std::getline(in, record.templateName);
    std::string line;
    for (int lineNumber = 2; std::getline(in, line); ++lineNumber) {
        DialogRecord::Item item{};
        unsigned long long handle = 0;
        char rest = 0;
        if (std::sscanf(line.c_str(), "%d %llu %c", &item.id, &handle, &rest) != 2) {
            error = file.string() + ":" + std::to_string(lineNumber) + ": expected \"identifier handle\", found \"" + line + "\"";
            return std::nullopt;
        }
        item.handle = handle;
        record.items.push_back(item);
    }
    return record;
}

}  // namespace platform::dialog
