#include "command_interpreter.h"

#include "execute_parser.h"

#include <charconv>
#include <optional>

namespace progman {

namespace {

using Arguments = std::vector<std::string>;

// Why a command failed; empty when it succeeded.
using Failure = std::string;

std::optional<int> number(const std::string& text) {
    int value = 0;
    const char* begin = text.data() + (!text.empty() && text[0] == '+' ? 1 : 0);
    auto [end, error] = std::from_chars(begin, text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || begin == end) return std::nullopt;
    return value;
}

const std::string& optionalArgument(const Arguments& arguments, std::size_t index) {
    static const std::string kLeftOut;
    return index < arguments.size() ? arguments[index] : kLeftOut;
}

// An optional numeric argument: DEFAULT when left out; a failure when it is not a number.
Failure numberArgument(const Arguments& arguments, std::size_t index, const char* field, int defaultValue, int& value) {
    const std::string& text = optionalArgument(arguments, index);
    value = defaultValue;
    if (text.empty()) return {};
    std::optional<int> parsed = number(text);
    if (!parsed) return std::string(field) + " \"" + text + "\" is not a number";
    value = *parsed;
    return {};
}

// The name an item gets when AddItem leaves it out: its program's file name without extension.
std::string nameFromCommandLine(const std::string& commandLine) {
    std::string program;
    if (!commandLine.empty() && commandLine[0] == '"') {
        program = commandLine.substr(1, commandLine.find('"', 1) - 1);
    } else {
        program = commandLine.substr(0, commandLine.find(' '));
    }
    const std::size_t slash = program.find_last_of("\\:");
    if (slash != std::string::npos) program.erase(0, slash + 1);
    const std::size_t dot = program.rfind('.');
    if (dot != std::string::npos && dot > 0) program.erase(dot);
    return program;
}

Failure checkCount(const std::string& command, const Arguments& arguments, std::size_t least, std::size_t most) {
    if (arguments.size() >= least && arguments.size() <= most) return {};
    return command + " takes " + std::to_string(least) + (least == most ? "" : " to " + std::to_string(most)) +
           " arguments, not " + std::to_string(arguments.size());
}

Failure checkLengths(const Arguments& arguments) {
    for (const std::string& argument : arguments)
        if (argument.size() > kMaxFieldLength)
            return "an argument is longer than " + std::to_string(kMaxFieldLength) + " characters";
    return {};
}

}  // namespace

class CommandRun {
public:
    CommandRun(GroupStore& store, std::string& currentGroup) : store_(store), currentGroup_(currentGroup) {}

    Failure run(const ExecuteCommand& command, bool& exitRequested) {
        const Arguments& a = command.arguments;
        if (Failure failure = checkLengths(a); !failure.empty()) return failure;
        if (sameName(command.name, "CreateGroup")) return createGroup(a);
        if (sameName(command.name, "ShowGroup")) return showGroup(a);
        if (sameName(command.name, "AddItem")) return addItem(a);
        if (sameName(command.name, "DeleteItem")) return deleteItem(a);
        if (sameName(command.name, "DeleteGroup")) return deleteGroup(a);
        if (sameName(command.name, "ExitProgman")) {
            // Every change is saved as it is made, so the save flag asks for nothing more.
            if (Failure failure = checkCount(command.name, a, 0, 1); !failure.empty()) return failure;
            exitRequested = true;
            return {};
        }
        return "unknown command " + command.name;
    }

private:
    // CreateGroup(GroupName[,GroupPath]): an existing group of that name is only made current.
    Failure createGroup(const Arguments& a) {
        if (Failure failure = checkCount("CreateGroup", a, 1, 2); !failure.empty()) return failure;
        if (a[0].empty()) return "CreateGroup needs a group name";
        if (std::optional<ProgramGroup> existing = store_.find(a[0])) {
            currentGroup_ = existing->name;
            return {};
        }
        std::optional<ProgramGroup> group = store_.create(a[0], optionalArgument(a, 1));
        if (!group) return "group " + a[0] + " could not be created";
        currentGroup_ = group->name;
        return {};
    }

    // ShowGroup(GroupName,ShowCommand[,CommonGroupFlag])
    Failure showGroup(const Arguments& a) {
        if (Failure failure = checkCount("ShowGroup", a, 2, 3); !failure.empty()) return failure;
        int showCommand = 0;
        if (Failure failure = numberArgument(a, 1, "ShowGroup's show command", 0, showCommand); !failure.empty())
            return failure;
        std::optional<ProgramGroup> group = store_.find(a[0]);
        if (!group) return "no group " + a[0];
        currentGroup_ = group->name;
        return {};
    }

    // AddItem(CmdLine[,Name[,IconPath[,IconIndex[,xPos,yPos[,DefDir[,HotKey[,fMinimize]]]]]]])
    Failure addItem(const Arguments& a) {
        if (Failure failure = checkCount("AddItem", a, 1, 9); !failure.empty()) return failure;
        ProgramItem item;
        item.commandLine = a[0];
        if (item.commandLine.find_first_not_of(" \t") == std::string::npos) return "AddItem needs a command line";
        item.name = optionalArgument(a, 1).empty() ? nameFromCommandLine(item.commandLine) : a[1];
        item.iconPath = optionalArgument(a, 2);
        int x = 0, y = 0, minimize = 0;
        for (Failure failure : {numberArgument(a, 3, "the icon index", 0, item.iconIndex),
                                numberArgument(a, 4, "the x position", 0, x), numberArgument(a, 5, "the y position", 0, y),
                                numberArgument(a, 7, "the hot key", 0, item.hotKey),
                                numberArgument(a, 8, "the minimize flag", 0, minimize)})
            if (!failure.empty()) return failure;
        if (optionalArgument(a, 4).empty() != optionalArgument(a, 5).empty())
            return "AddItem needs both positions or neither";
        if (!optionalArgument(a, 4).empty()) item.position = ItemPosition{x, y};
        item.workingDirectory = optionalArgument(a, 6);
        item.minimize = minimize != 0;

        std::optional<ProgramGroup> group = currentGroupRecord();
        if (!group) return "no current group for AddItem";
        // An item of the same name is replaced where it stands: running an installation again
        // leaves one item per entry.
        if (ProgramItem* existing = group->findItem(item.name))
            *existing = item;
        else
            group->items.push_back(item);
        return store_.save(*group) ? Failure() : "group file " + group->file + " could not be written";
    }

    // DeleteItem(ItemName), in the current group.
    Failure deleteItem(const Arguments& a) {
        if (Failure failure = checkCount("DeleteItem", a, 1, 1); !failure.empty()) return failure;
        std::optional<ProgramGroup> group = currentGroupRecord();
        if (!group) return "no current group for DeleteItem";
        ProgramItem* item = group->findItem(a[0]);
        if (item == nullptr) return "no item " + a[0] + " in group " + group->name;
        group->items.erase(group->items.begin() + (item - group->items.data()));
        return store_.save(*group) ? Failure() : "group file " + group->file + " could not be written";
    }

    // DeleteGroup(GroupName[,CommonGroupFlag])
    Failure deleteGroup(const Arguments& a) {
        if (Failure failure = checkCount("DeleteGroup", a, 1, 2); !failure.empty()) return failure;
        if (!store_.remove(a[0])) return "no group " + a[0];
        if (sameName(currentGroup_, a[0])) currentGroup_.clear();
        return {};
    }

    std::optional<ProgramGroup> currentGroupRecord() {
        if (currentGroup_.empty()) return std::nullopt;
        return store_.find(currentGroup_);
    }

    GroupStore& store_;
    std::string& currentGroup_;
};

ExecuteResult CommandInterpreter::execute(std::string_view text) {
    ExecuteResult result;
    std::optional<std::vector<ExecuteCommand>> commands = parseExecute(text);
    if (!commands) {
        result.failure = "malformed command string";
        return result;
    }
    CommandRun run(store_, currentGroup_);
    for (const ExecuteCommand& command : *commands) {
        result.failure = run.run(command, result.exitRequested);
        if (!result.failure.empty()) return result;
    }
    result.acknowledged = true;
    return result;
}

}  // namespace progman
