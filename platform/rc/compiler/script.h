// Compiling a resource script into the resources a program carries.
#pragma once

#include <cstdint>
#include <filesystem>
#include <vector>

#include "rc/compiler/tokens.h"
#include "rc/resource_id.h"

namespace platform::rc {

struct Resource {
    ResourceId type;
    ResourceId name;
    std::vector<std::uint8_t> data;  // in the platform's binary layout of its type
};

struct CompileOptions {
    std::vector<std::filesystem::path> includeDirs;  // searched for #include and for icon and bitmap files
};

struct CompiledScript {
    std::vector<Resource> resources;
    std::vector<std::filesystem::path> files;  // every file read: the script, its includes, icons, bitmaps
};

// Throws ScriptError naming the file and line of the first fault.
CompiledScript compileScript(const std::filesystem::path& script, const CompileOptions& options);

}  // namespace platform::rc
