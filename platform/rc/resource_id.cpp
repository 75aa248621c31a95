#include "rc/resource_id.h"

#include <cctype>

namespace platform::rc {

ResourceId ResourceId::named(std::string text) {
    for (char& ch : text) ch = static_cast<char>(std::toupper(static_cast<unsigned char>(ch)));
    return ResourceId{false, 0, std::move(text)};
}

}  // namespace platform::rc
