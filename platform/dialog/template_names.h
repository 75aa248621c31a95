// Each dialog of a template tells the other programs of the PC which template it came from, so
// that automation can name it ("EXECPATH"): a file per dialog in the PC's run folder holding the
// template name, removed with the dialog.
#pragma once

#include "win/types.h"

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>

namespace platform::dialog {

std::filesystem::path templateNameFile(const std::filesystem::path& runFolder, std::uint64_t dialog);

void recordTemplateName(HWND dialog, const std::string& name);
void forgetTemplateName(HWND dialog);
// The template name of a dialog of any program of the PC, if it came from one.
std::optional<std::string> templateNameOf(const std::filesystem::path& runFolder, std::uint64_t dialog);

}  // namespace platform::dialog
