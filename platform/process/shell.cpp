// ShellExecuteA for programs: the default verb starts the file in the given directory and, as
// WinExec, comes back once the program waits for input.
#include "process/programs.h"
#include "win/kernel.h"
#include "win/shell.h"

#include <strings.h>

#include <string>

HINSTANCE WINAPI ShellExecuteA(HWND, LPCSTR verb, LPCSTR file, LPCSTR parameters, LPCSTR directory, INT show) {
    auto result = [](UINT code) { return reinterpret_cast<HINSTANCE>(static_cast<std::uintptr_t>(code)); };
    if (verb && *verb && ::strcasecmp(verb, "open") != 0) return result(SE_ERR_NOASSOC);
    if (!file || !*file) return result(SE_ERR_FNF);
    std::string name = file;
    std::size_t dot = name.find_last_of('.');
    std::size_t slash = name.find_last_of("\\:");
    if (dot != std::string::npos && (slash == std::string::npos || dot > slash)) {
        std::string extension = name.substr(dot);
        // Only programs are started; documents would need an association.
        if (::strcasecmp(extension.c_str(), ".exe") != 0 && ::strcasecmp(extension.c_str(), ".com") != 0)
            return result(SE_ERR_NOASSOC);
    }
    std::string commandLine = name.find(' ') != std::string::npos ? "\"" + name + "\"" : name;
    if (parameters && *parameters) commandLine += std::string(" ") + parameters;
    platform::process::StartOptions options;
    if (directory && *directory) options.directory = directory;
    UINT code = platform::process::startProgram(commandLine, static_cast<UINT>(show), options).code;
    return result(code);
}
