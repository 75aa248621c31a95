// The platform's word sort, as lstrcmpA and lstrcmpiA order strings: symbols before digits
// before letters, letters alphabetically with accents and case deciding only between otherwise
// equal strings (lower case first), and hyphens and apostrophes left out until the very end so
// that "coop" and "co-op" sort together.
#pragma once

#include <string_view>

namespace platform::codepage {

// Negative, zero or positive as A sorts before, with or after B.
int compareWords(std::string_view a, std::string_view b, int codePage, bool ignoreCase);

}  // namespace platform::codepage
