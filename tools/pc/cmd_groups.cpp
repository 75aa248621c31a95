// pc groups DIR: every Program Manager group of the PC with its items, as Program Manager keeps them.
// Names and paths are in the PC's code page and shown in UTF-8.
#include "commands.h"

#include "kernel/pc.h"
#include "kernel/text.h"
#include "program_groups.h"

#include <cstdio>
#include <filesystem>
#include <stdexcept>

namespace fs = std::filesystem;

namespace {

class Printer {
public:
    explicit Printer(int codePage) : codePage_(codePage) {}

    void group(const progman::ProgramGroup& group) const {
        std::printf("%s  (%s)\n", shown(group.name).c_str(), shown(group.file).c_str());
        if (group.items.empty()) std::printf("  (no items)\n");
        for (const progman::ProgramItem& item : group.items) {
            std::printf("  %s\n", shown(item.name).c_str());
            std::printf("    command line:      %s\n", shown(item.commandLine).c_str());
            std::printf("    icon file:         %s, icon %d\n",
                        item.iconPath.empty() ? "(the program's)" : shown(item.iconPath).c_str(), item.iconIndex);
            std::printf("    working directory: %s\n",
                        item.workingDirectory.empty() ? "(none)" : shown(item.workingDirectory).c_str());
        }
    }

    std::string shown(const std::string& text) const { return platform::text::toUtf8(text, codePage_); }

private:
    int codePage_;
};

}  // namespace

int cmdGroups(const Args& args) {
    if (args.size() != 1) throw UsageError{};
    const fs::path pcDir = args[0];
    if (!platform::Pc::isPcFolder(pcDir)) throw std::runtime_error(pcDir.string() + " is not a PC folder (make one with pc init)");
    platform::Pc::attach(pcDir);
    const Printer printer(platform::Pc::current().settings().codePage);

    progman::GroupListing listing = progman::GroupStore().list();
    if (listing.groups.empty()) std::printf("no groups\n");
    for (const progman::ProgramGroup& group : listing.groups) printer.group(group);
    for (const std::string& problem : listing.problems)
        std::fprintf(stderr, "pc groups: %s\n", printer.shown(problem).c_str());
    return listing.problems.empty() ? 0 : 1;
}
