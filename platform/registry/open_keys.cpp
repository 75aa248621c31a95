#include "registry/open_keys.h"

#include "codepage/code_page.h"

namespace platform::registry {

HKEY OpenKeys::add(OpenKey key) {
    ULONG_PTR handle = next_;
    next_ += 4;
    keys_.emplace(handle, std::move(key));
    return reinterpret_cast<HKEY>(handle);
}

OpenKey* OpenKeys::find(HKEY handle) {
    auto it = keys_.find(reinterpret_cast<ULONG_PTR>(handle));
    return it == keys_.end() ? nullptr : &it->second;
}

bool OpenKeys::close(HKEY handle) { return keys_.erase(reinterpret_cast<ULONG_PTR>(handle)) > 0; }

void OpenKeys::markDeleted(int root, const KeyPath& path, int codePage) {
    for (auto& [handle, key] : keys_) {
        if (key.root != root || key.path.size() < path.size()) continue;
        bool below = true;
        for (std::size_t i = 0; i < path.size() && below; ++i) below = codepage::folded(key.path[i], codePage) == codepage::folded(path[i], codePage);
        if (below) key.deleted = true;
    }
}

}  // namespace platform::registry
