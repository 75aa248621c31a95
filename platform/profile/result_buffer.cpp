#include "profile/result_buffer.h"

#include <algorithm>
#include <cstring>

namespace platform::profile {

DWORD copyString(std::string_view value, LPSTR buffer, DWORD size) {
    if (size == 0) {
        return 0;
    }
    const std::size_t copied = std::min<std::size_t>(value.size(), size - 1);
    if (copied > 0) {
        std::memcpy(buffer, value.data(), copied);
    }
    buffer[copied] = '\0';
    return static_cast<DWORD>(copied);
}

DWORD copyListText(std::string_view list, LPSTR buffer, DWORD size) {
    if (size == 0) {
        return 0;
    }
    if (size == 1) {
        buffer[0] = '\0';
        return 0;
    }
    if (list.size() + 1 <= size) {
        std::memcpy(buffer, list.data(), list.size());
        buffer[list.size()] = '\0';
        if (list.empty()) {
            buffer[1] = '\0';
        }
        return static_cast<DWORD>(list.size());
    }
    const std::size_t copied = size - 2;
    std::memcpy(buffer, list.data(), copied);
    buffer[copied] = '\0';
    buffer[copied + 1] = '\0';
    return static_cast<DWORD>(copied);
}

}  // namespace platform::profile
