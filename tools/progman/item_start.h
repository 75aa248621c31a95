// What a double-click on an item starts: the item's command line split into the file to open and
// its parameters, in the item's working directory, minimized when the item says so.
#pragma once

#include "program_groups.h"

#include <string>

namespace progman {

struct ItemStart {
    std::string file;        // the program (or document) to open, without quotes
    std::string parameters;  // the rest of the command line, as written
    std::string directory;   // the item's working directory; else the file's own directory; else empty
    bool minimized = false;
    bool operator==(const ItemStart&) const = default;
};

// The command line's first word is the file: up to the closing quote when it begins with one,
// else up to the first blank. Nullopt for a command line without a file ("", "\"\"", blanks,
// an unclosed quote).
std::optional<ItemStart> itemStart(const ProgramItem& item);

}  // namespace progman
