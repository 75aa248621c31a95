// A resource type or name: a number, or a name kept in upper case (names are matched without
// regard to case, as the platform does).
#pragma once

#include <cstdint>
#include <string>

namespace platform::rc {

struct ResourceId {
    bool isNumber = true;
    std::uint16_t number = 0;
    std::string name;

    static ResourceId of(std::uint16_t value) { return ResourceId{true, value, {}}; }
    static ResourceId named(std::string text);

    bool operator==(const ResourceId&) const = default;
};

// Resource types of the platform.
inline constexpr std::uint16_t kTypeCursor = 1;
inline constexpr std::uint16_t kTypeBitmap = 2;
inline constexpr std::uint16_t kTypeIcon = 3;
inline constexpr std::uint16_t kTypeMenu = 4;
inline constexpr std::uint16_t kTypeDialog = 5;
inline constexpr std::uint16_t kTypeGroupIcon = 14;

}  // namespace platform::rc
