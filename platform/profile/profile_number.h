// Numbers in profile values: an optional sign and the leading decimal digits; what follows
// the digits does not count ("102abc" is 102).
#pragma once

#include <optional>
#include <string_view>

namespace platform::profile {

// The number that VALUE begins with, held to the range of int; nullopt without leading digits.
std::optional<int> leadingNumber(std::string_view value);

}  // namespace platform::profile
