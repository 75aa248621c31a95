// pc start DIR GROUP ITEM: starts a Program Manager item as a double-click on it does: the
// item's file opened through the shell with its parameters, in its working directory.
// GROUP and ITEM are given in UTF-8 and found as Program Manager finds names.
#include "commands.h"

#include "item_start.h"
#include "kernel/pc.h"
#include "kernel/text.h"
#include "program_groups.h"
#include "win/shell.h"
#include "win/user.h"

#include <cstdint>
#include <cstdio>
#include <stdexcept>

namespace {

std::string startError(std::uintptr_t code) {
    switch (code) {
    case SE_ERR_FNF: return "file not found";
    case SE_ERR_PNF: return "path not found";
    case SE_ERR_ACCESSDENIED: return "access denied";
    case SE_ERR_OOM: return "out of memory";
    case SE_ERR_NOASSOC: return "no program is associated with the file";
    default: return "error " + std::to_string(code);
    }
}

}  // namespace

int cmdStart(const Args& args) {
    if (args.size() != 3) throw UsageError{};
    if (!platform::Pc::isPcFolder(args[0])) throw std::runtime_error(args[0] + " is not a PC folder (make one with pc init)");
    platform::Pc::attach(args[0]);
    const int codePage = platform::Pc::current().settings().codePage;
    const std::string groupName = platform::text::fromUtf8(args[1], codePage);
    const std::string itemName = platform::text::fromUtf8(args[2], codePage);

    std::optional<progman::ProgramGroup> group = progman::GroupStore().find(groupName);
    if (!group) throw std::runtime_error("no group \"" + args[1] + "\" in " + args[0] + " (see pc groups)");
    const progman::ProgramItem* item = group->findItem(itemName);
    if (item == nullptr) throw std::runtime_error("no item \"" + args[2] + "\" in group \"" + args[1] + "\"");
    const std::string shownCommand = platform::text::toUtf8(item->commandLine, codePage);
    std::optional<progman::ItemStart> start = progman::itemStart(*item);
    if (!start) throw std::runtime_error("item \"" + args[2] + "\" has no program in its command line \"" + shownCommand + "\"");

    const auto code = reinterpret_cast<std::uintptr_t>(
        ShellExecuteA(nullptr, nullptr, start->file.c_str(), start->parameters.c_str(),
                      start->directory.empty() ? nullptr : start->directory.c_str(),
                      start->minimized ? SW_SHOWMINNOACTIVE : SW_SHOWNORMAL));
    if (code <= 32) throw std::runtime_error("cannot start \"" + shownCommand + "\": " + startError(code));
    std::printf("started %s\n", shownCommand.c_str());
    return 0;
}
