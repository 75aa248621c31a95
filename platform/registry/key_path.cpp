#include "registry/key_path.h"

#include "win/kernel.h"

#include <algorithm>

namespace platform::registry {

namespace {

bool hasControlCharacter(std::string_view name) {
    return std::any_of(name.begin(), name.end(), [](char c) { return static_cast<unsigned char>(c) < 0x20; });
}

}  // namespace

DWORD parseKeyPath(std::string_view text, KeyPath& path) {
    path.clear();
    if (!text.empty() && text.front() == '\\') return ERROR_BAD_PATHNAME;
    if (!text.empty() && text.back() == '\\') text.remove_suffix(1);
    if (text.empty()) return ERROR_SUCCESS;
    for (;;) {
        std::size_t end = text.find('\\');
        std::string_view name = text.substr(0, end);
        if (name.empty()) return ERROR_BAD_PATHNAME;
        if (name.size() > kMaxKeyName || hasControlCharacter(name)) return ERROR_INVALID_PARAMETER;
        path.emplace_back(name);
        if (end == std::string_view::npos) return ERROR_SUCCESS;
        text.remove_prefix(end + 1);
    }
}

bool isStorableValueName(std::string_view name) { return !hasControlCharacter(name); }

}  // namespace platform::registry
