// Each dialog tells the other programs of the PC what automation needs to reach it: the
// template it came from ("EXECPATH"; empty for a message box) and its controls by identifier.
// It is a file per dialog in the PC's run folder, written when the dialog is complete and
// removed with it:
//
//     EXECPATH
//     109 1234
//     111 1238
//
// (the template name, then one "identifier handle" line per control in creation order).
#pragma once

#include "win/types.h"

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace platform::dialog {

struct DialogRecord {
    std::string templateName;
    struct Item {
        int id;
        std::uint64_t handle;
    };
    std::vector<Item> items;
};

std::filesystem::path dialogRecordFile(const std::filesystem::path& runFolder, std::uint64_t dialog);

// Writes the record of a dialog of this process from its template name and its children.
void publishDialogRecord(HWND dialog, const std::string& templateName);
void forgetDialogRecord(HWND dialog);

// The record of a dialog of any program of the PC; std::nullopt when the window is no dialog
// (or is gone). ERROR names a record that cannot be read.
std::optional<DialogRecord> readDialogRecord(const std::filesystem::path& runFolder, std::uint64_t dialog,
                                             std::string& error);

}  // namespace platform::dialog
