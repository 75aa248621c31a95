#include "profile/profile_number.h"

#include <algorithm>
#include <limits>

namespace platform::profile {

std::optional<int> leadingNumber(std::string_view value) {
    std::size_t position = 0;
    bool negative = false;
    if (position < value.size() && (value[position] == '+' || value[position] == '-')) {
        negative = value[position] == '-';
        ++position;
    }
    const std::size_t firstDigit = position;
    constexpr long long kLimit = static_cast<long long>(std::numeric_limits<int>::max()) + 1;
    long long magnitude = 0;
    while (position < value.size() && value[position] >= '0' && value[position] <= '9') {
        magnitude = std::min(kLimit, magnitude * 10 + (value[position] - '0'));
        ++position;
    }
    if (position == firstDigit) {
        return std::nullopt;
    }
    const long long signedValue = negative ? -magnitude : std::min(magnitude, kLimit - 1);
    return static_cast<int>(signedValue);
}

}  // namespace platform::profile
