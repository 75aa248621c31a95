// The keys a process holds open: each handle names a key by its root and path, with the access
// it was opened for. A handle whose key was deleted stays open but reaches nothing.
#pragma once

#include "registry/key_tree.h"

#include <map>

namespace platform::registry {

struct OpenKey {
    int root = 0;
    KeyPath path;
    REGSAM access = 0;
    bool deleted = false;
};

class OpenKeys {
public:
    HKEY add(OpenKey key);
    // The open key of HANDLE, or nullptr when HANDLE is not one of this process's handles.
    OpenKey* find(HKEY handle);
    bool close(HKEY handle);
    // Marks every handle to the key at ROOT\PATH, or below it, as deleted.
    void markDeleted(int root, const KeyPath& path, int codePage);

private:
    std::map<ULONG_PTR, OpenKey> keys_;
    // Handles are never reused, so a stale handle is refused rather than reaching another key.
    ULONG_PTR next_ = 0x1000;
};

}  // namespace platform::registry
