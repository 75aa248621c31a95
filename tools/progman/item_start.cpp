#include "item_start.h"

namespace progman {

namespace {

bool isBlank(char c) { return c == ' ' || c == '\t'; }

std::string_view skipBlanks(std::string_view text) {
    while (!text.empty() && isBlank(text.front())) text.remove_prefix(1);
    return text;
}

}  // namespace

std::optional<ItemStart> itemStart(const ProgramItem& item) {
    std::string_view rest = skipBlanks(item.commandLine);
    ItemStart start;
    if (!rest.empty() && rest.front() == '"') {
        const std::size_t close = rest.find('"', 1);
        if (close == std::string_view::npos) return std::nullopt;
        start.file = std::string(rest.substr(1, close - 1));
        rest.remove_prefix(close + 1);
    } else {
        std::size_t blank = 0;
        while (blank < rest.size() && !isBlank(rest[blank])) ++blank;
        start.file = std::string(rest.substr(0, blank));
        rest.remove_prefix(blank);
    }
    if (start.file.empty()) return std::nullopt;
    start.parameters = std::string(skipBlanks(rest));
    start.directory = item.workingDirectory;
    if (start.directory.empty()) {
        const std::size_t slash = start.file.find_last_of('\\');
        if (slash != std::string::npos) start.directory = start.file.substr(0, slash == 2 && start.file[1] == ':' ? 3 : slash);
    }
    start.minimized = item.minimize;
    return start;
}

}  // namespace progman
