// What the automation commands (shot, click, type, text, key, close) share: the PC folder, the
// --timeout option for the wait for a window, and reading a control identifier.
#pragma once

#include "command_table.h"

#include <cstdint>
#include <string>

struct AutomationArgs {
    Args positional;                      // after DIR, without the options
    std::uint64_t timeoutMilliseconds = 10000;
};

// Checks and attaches DIR (the first argument), takes --timeout S out; USAGE is quoted in
// errors. Throws std::runtime_error unless MIN <= positional count <= MAX.
AutomationArgs parseAutomationArgs(const Args& args, const char* usage, std::size_t min, std::size_t max);

int controlId(const std::string& text);
