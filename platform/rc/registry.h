// The resources compiled into a program: the generated source of its resource script registers
// them here when the program starts.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

namespace platform::rc {

// One resource as the generated source lists it. A type or name is a number when its text is null.
struct CompiledResource {
    std::uint16_t typeNumber;
    const char* typeName;
    std::uint16_t nameNumber;
    const char* nameName;
    const unsigned char* data;
    std::size_t size;
};

// Adds a program's resources to the process's table (made by the generated source).
struct ResourceRegistration {
    explicit ResourceRegistration(std::span<const CompiledResource> resources);
};

// Every registered resource, in registration order.
std::span<const CompiledResource> registeredResources();

}  // namespace platform::rc
