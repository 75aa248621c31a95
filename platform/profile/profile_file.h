// Where the file named in a profile call lies on the host.
#pragma once

#include "win/types.h"

#include <filesystem>
#include <string>
#include <string_view>

namespace platform::profile {

struct ProfileFile {
    std::string windows;          // full Windows path
    std::filesystem::path host;   // host path (the file may not exist yet)
    DWORD error = 0;              // platform error code when the name leads nowhere
    explicit operator bool() const { return error == 0; }
};

// A bare file name means the Windows directory; any other name goes through the PC's path rules
// (relative to the current directory when it is not full).
ProfileFile locateProfileFile(std::string_view fileName);

}  // namespace platform::profile
