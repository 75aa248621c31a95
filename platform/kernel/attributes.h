// File attributes of the platform kept on the host: read-only is the absence of the owner's write
// bit; hidden, system and archive live in an extended attribute of the file.
#pragma once

#include "win/types.h"

#include <filesystem>

namespace platform::files {

bool isReadOnly(const std::filesystem::path& host);
// The attributes of an existing host file or directory, or INVALID_FILE_ATTRIBUTES.
DWORD attributesOf(const std::filesystem::path& host);
// Sets the attributes; false (with the last error) when they cannot be kept.
bool setAttributesOf(const std::filesystem::path& host, DWORD attributes);

}  // namespace platform::files
