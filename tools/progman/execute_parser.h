// The command strings that DDE clients send to Program Manager in an execute:
// one or more bracketed commands, "[CreateGroup(Tools)][AddItem(TOOL.EXE,Tool)]".
//
// Between and around the brackets blanks and line ends are allowed. Inside a bracket the command
// name may be followed by an argument list in parentheses; arguments are separated by commas.
// A comma, bracket or parenthesis inside double quotes belongs to the argument. Blanks around an
// argument are dropped; an argument that is one quoted string loses its quotes, while an argument
// that only begins with a quoted part ("C:\A B\X.EXE" /S) is kept as written. An empty argument
// stands for a field that is left out. Control characters are refused inside a command.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace progman {

struct ExecuteCommand {
    std::string name;
    std::vector<std::string> arguments;
    bool operator==(const ExecuteCommand&) const = default;
};

// The commands of an execute string in their order; nullopt when the string is malformed
// (no command, text outside brackets, an unclosed bracket or quote, a control character).
// Double-byte characters of the PC's code page are scanned whole.
std::optional<std::vector<ExecuteCommand>> parseExecute(std::string_view text);

}  // namespace progman
