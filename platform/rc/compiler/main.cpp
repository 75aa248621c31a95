// kit-rc: compiles a resource script into a C++ source that the program is built with.
//   kit-rc [-I DIR]... SCRIPT.rc OUTPUT.cpp [DEPFILE]
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "rc/compiler/emit.h"
#include "rc/compiler/script.h"

namespace {

int usage() {
    std::fprintf(stderr, "usage: kit-rc [-I DIR]... SCRIPT.rc OUTPUT.cpp [DEPFILE]\n");
    return 2;
}

// Writes FILE whole or not at all.
bool writeAtomically(const std::filesystem::path& file, const std::string& content) {
    std::filesystem::path temporary = file;
    temporary += ".tmp";
    {
        std::ofstream out(temporary, std::ios::binary);
        out << content;
        if (!out.flush()) return false;
    }
    std::error_code error;
    std::filesystem::rename(temporary, file, error);
    return !error;
}

std::string escapeForDepfile(const std::string& path) {
    std::string out;
    for (char ch : path) {
        if (ch == ' ' || ch == '#' || ch == '\\') out += '\\';
        if (ch == '$') out += '$';
        out += ch;
    }
    return out;
}

}  // namespace

int main(int argc, char** argv) {
    platform::rc::CompileOptions options;
    std::vector<std::string> positional;
    for (int i = 1; i < argc; ++i) {
        std::string arg = argv[i];
        if (arg == "-I" && i + 1 < argc) options.includeDirs.emplace_back(argv[++i]);
        else if (arg.rfind("-I", 0) == 0 && arg.size() > 2) options.includeDirs.emplace_back(arg.substr(2));
        else if (!arg.empty() && arg[0] == '-') return usage();
        else positional.push_back(arg);
    }
    if (positional.size() < 2 || positional.size() > 3) return usage();
    std::filesystem::path script = positional[0];
    std::filesystem::path output = positional[1];
    try {
        platform::rc::CompiledScript compiled = platform::rc::compileScript(script, options);
        std::ostringstream source;
        platform::rc::writeSource(compiled.resources, script.filename().string(), source);
        if (!writeAtomically(output, source.str())) {
            std::fprintf(stderr, "kit-rc: %s: cannot be written\n", output.c_str());
            return 1;
        }
        if (positional.size() == 3) {
            std::ostringstream deps;
            deps << escapeForDepfile(output.string()) << ":";
            for (const auto& file : compiled.files) deps << " \\\n  " << escapeForDepfile(std::filesystem::absolute(file).string());
            deps << "\n";
            if (!writeAtomically(positional[2], deps.str())) {
                std::fprintf(stderr, "kit-rc: %s: cannot be written\n", positional[2].c_str());
                return 1;
            }
        }
    } catch (const std::exception& error) {
        std::fprintf(stderr, "kit-rc: %s\n", error.what());
        return 1;
    }
    return 0;
}
