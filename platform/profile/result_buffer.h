// Copying results into the caller's buffer the way the profile functions return them.
#pragma once

#include "win/types.h"

#include <string>
#include <string_view>
#include <vector>

namespace platform::profile {

// One zero-terminated string, cut to SIZE - 1 characters when longer. Returns the characters
// copied, without the terminating zero (SIZE - 1 when cut). Nothing is written when SIZE is 0.
DWORD copyString(std::string_view value, LPSTR buffer, DWORD size);

// A list already joined: every item with its zero, without the closing zero.
DWORD copyListText(std::string_view list, LPSTR buffer, DWORD size);

// Every item followed by a zero, the list closed by a second zero. When the list does not fit,
// the last string that fits is cut and followed by two zeros, and the result is SIZE - 2.
// Otherwise the result is the characters copied without the closing zero.
template <typename Item>
DWORD copyList(const std::vector<Item>& items, LPSTR buffer, DWORD size) {
    std::string list;
    for (const auto& item : items) {
        list.append(item);
        list.push_back('\0');
    }
    return copyListText(list, buffer, size);
}

}  // namespace platform::profile
