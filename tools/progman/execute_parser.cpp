#include "execute_parser.h"

#include "win/codepage.h"

namespace progman {

namespace {

bool isBlank(char c) { return c == ' ' || c == '\t'; }
bool isSpace(char c) { return isBlank(c) || c == '\r' || c == '\n'; }
bool isControl(char c) { return static_cast<unsigned char>(c) < 0x20 && c != '\t'; }

// Index of the character after the one at I (a lead byte takes its trail byte along).
std::size_t next(std::string_view text, std::size_t i) {
    if (IsDBCSLeadByte(static_cast<BYTE>(text[i])) && i + 1 < text.size()) return i + 2;
    return i + 1;
}

std::string_view trimmed(std::string_view text) {
    while (!text.empty() && isBlank(text.front())) text.remove_prefix(1);
    while (!text.empty() && isBlank(text.back())) text.remove_suffix(1);
    return text;
}

// Position of the first STOP character outside quotes at or after FROM; npos when there is none
// or a quote is left open.
std::size_t findUnquoted(std::string_view text, char stop, std::size_t from) {
    bool inQuotes = false;
    for (std::size_t i = from; i < text.size(); i = next(text, i)) {
        if (text[i] == '"') inQuotes = !inQuotes;
        else if (!inQuotes && text[i] == stop) return i;
    }
    return std::string_view::npos;
}

std::string argument(std::string_view field) {
    field = trimmed(field);
    if (field.size() >= 2 && field.front() == '"' && field.back() == '"' &&
        field.substr(1, field.size() - 2).find('"') == std::string_view::npos)
        field = field.substr(1, field.size() - 2);
    return std::string(field);
}

bool hasUnbalancedQuotes(std::string_view text) {
    bool inQuotes = false;
    for (std::size_t i = 0; i < text.size(); i = next(text, i))
        if (text[i] == '"') inQuotes = !inQuotes;
    return inQuotes;
}

// One command: the text between its brackets.
std::optional<ExecuteCommand> parseCommand(std::string_view body) {
    for (char c : body)
        if (isControl(c)) return std::nullopt;
    body = trimmed(body);
    ExecuteCommand command;
    const std::size_t open = body.find('(');
    command.name = std::string(trimmed(body.substr(0, open)));
    if (command.name.empty() || command.name.find_first_of(" \t\"),") != std::string::npos) return std::nullopt;
    if (open == std::string_view::npos) return command;

    if (body.back() != ')') return std::nullopt;
    std::string_view list = body.substr(open + 1, body.size() - open - 2);
    if (hasUnbalancedQuotes(list)) return std::nullopt;
    if (trimmed(list).empty()) return command;
    for (std::size_t start = 0;;) {
        std::size_t comma = findUnquoted(list, ',', start);
        command.arguments.push_back(argument(list.substr(start, comma == std::string_view::npos ? comma : comma - start)));
        if (comma == std::string_view::npos) break;
        start = comma + 1;
    }
    return command;
}

}  // namespace

std::optional<std::vector<ExecuteCommand>> parseExecute(std::string_view text) {
    std::vector<ExecuteCommand> commands;
    std::size_t i = 0;
    for (;;) {
        while (i < text.size() && isSpace(text[i])) ++i;
        if (i == text.size()) break;
        if (text[i] != '[') return std::nullopt;
        const std::size_t close = findUnquoted(text, ']', i + 1);
        if (close == std::string_view::npos) return std::nullopt;
        std::optional<ExecuteCommand> command = parseCommand(text.substr(i + 1, close - i - 1));
        if (!command) return std::nullopt;
        commands.push_back(std::move(*command));
        i = close + 1;
    }
    if (commands.empty()) return std::nullopt;
    return commands;
}

}  // namespace progman
