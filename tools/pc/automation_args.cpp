#include "automation_args.h"

#include "kernel/pc.h"

#include <stdexcept>

AutomationArgs parseAutomationArgs(const Args& args, const char* usage, std::size_t min, std::size_t max) {
    AutomationArgs parsed;
    Args rest;
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (args[i] != "--timeout") {
            rest.push_back(args[i]);
            continue;
        }
        if (i + 1 >= args.size()) throw std::runtime_error("--timeout wants a number of seconds (usage: " + std::string(usage) + ")");
        const std::string& value = args[++i];
        std::size_t used = 0;
        double seconds = -1;
        try {
            seconds = std::stod(value, &used);
        } catch (const std::exception&) {
        }
        if (used != value.size() || seconds < 0) throw std::runtime_error("--timeout wants a number of seconds, not '" + value + "'");
        parsed.timeoutMilliseconds = static_cast<std::uint64_t>(seconds * 1000);
    }
    if (rest.empty() || rest.size() - 1 < min || rest.size() - 1 > max) throw std::runtime_error(std::string("usage: ") + usage);
    if (!platform::Pc::isPcFolder(rest[0])) throw std::runtime_error(rest[0] + " is not a PC folder (make one with pc init)");
    platform::Pc::attach(rest[0]);
    parsed.positional.assign(rest.begin() + 1, rest.end());
    return parsed;
}

int controlId(const std::string& text) {
    std::size_t used = 0;
    int id = 0;
    try {
        id = std::stoi(text, &used, 0);
    } catch (const std::exception&) {
    }
    if (used == 0 || used != text.size()) throw std::runtime_error("'" + text + "' is not a control identifier");
    return id;
}
