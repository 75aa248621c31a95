// Subkey paths as callers give them: names separated by single backslashes.
#pragma once

#include "registry/key_tree.h"

#include <string_view>

namespace platform::registry {

inline constexpr std::size_t kMaxKeyName = 255;

// Splits TEXT into key names. An empty text is the key itself; one trailing backslash is allowed.
// Returns ERROR_BAD_PATHNAME for a leading backslash or an empty name inside the path, and
// ERROR_INVALID_PARAMETER for a name longer than 255 bytes or holding a control character
// (which the registry file could not keep).
DWORD parseKeyPath(std::string_view text, KeyPath& path);

// True when NAME can be a value name: no control character.
bool isStorableValueName(std::string_view name);

}  // namespace platform::registry
