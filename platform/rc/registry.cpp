#include "rc/registry.h"

#include <mutex>
#include <vector>

namespace platform::rc {

namespace {
std::vector<CompiledResource>& table() {
    static std::vector<CompiledResource> resources;
    return resources;
}
}  // namespace

ResourceRegistration::ResourceRegistration(std::span<const CompiledResource> resources) {
    table().insert(table().end(), resources.begin(), resources.end());
}

std::span<const CompiledResource> registeredResources() { return table(); }

}  // namespace platform::rc
