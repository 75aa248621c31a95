// Program Manager's answer to one DDE execute: the commands CreateGroup, ShowGroup, AddItem,
// DeleteItem, DeleteGroup and ExitProgman carried out on the PC's groups.
//
// The commands of one execute run in their order and stop at the first one that fails; the
// execute is acknowledged positively only when every command succeeded. A malformed string runs
// nothing. Groups are saved with every change, so nothing is lost when Program Manager ends.
#pragma once

#include "program_groups.h"

#include <string>
#include <string_view>

namespace progman {

struct ExecuteResult {
    bool acknowledged = false;  // positive acknowledgement
    bool exitRequested = false; // an ExitProgman command ran
    std::string failure;        // why the acknowledgement is negative
};

class CommandInterpreter {
public:
    ExecuteResult execute(std::string_view text);

    // The group that AddItem and DeleteItem work on: set by CreateGroup and ShowGroup.
    const std::string& currentGroup() const { return currentGroup_; }

private:
    GroupStore store_;
    std::string currentGroup_;
};

}  // namespace progman
