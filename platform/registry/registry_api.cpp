// The registry functions on the PC's registry file.
#include "win/registry.h"

#include "kernel/pc.h"
#include "registry/key_path.h"
#include "registry/open_keys.h"
#include "registry/regedit_text.h"
#include "registry/registry_store.h"

#include <cstdio>
#include <cstring>
#include <memory>
#include <mutex>
#include <new>

using namespace platform;
using namespace platform::registry;

namespace {

std::mutex registryLock;
std::unique_ptr<Store> store;
OpenKeys openKeys;

Store& currentStore() {
    Pc& pc = Pc::current();
    std::filesystem::path file = pc.registryFile();
    int codePage = pc.settings().codePage;
    if (!store || store->file() != file || store->codePage() != codePage) store = std::make_unique<Store>(file, codePage);
    return *store;
}

// What a key handle reaches: a predefined root (with every right) or an open key.
struct Target {
    int root = 0;
    KeyPath path;
    REGSAM access = KEY_ALL_ACCESS;
    OpenKey* open = nullptr;
};

LONG resolve(HKEY handle, Target& target) {
    if (std::optional<int> root = rootByHandle(reinterpret_cast<ULONG_PTR>(handle))) {
        target = Target{*root, {}, KEY_ALL_ACCESS, nullptr};
        return ERROR_SUCCESS;
    }
    OpenKey* open = openKeys.find(handle);
    if (open == nullptr) return ERROR_INVALID_HANDLE;
    if (open->deleted) return ERROR_KEY_DELETED;
    target = Target{open->root, open->path, open->access, open};
    return ERROR_SUCCESS;
}

// The target's key in TREE. A key that is gone was deleted, maybe by another process: its handle
// stays deleted even if a key of the same name comes back.
Key* keyOf(const Tree& tree, Target& target, LONG& error) {
    Key* key = tree.find(target.root, target.path);
    if (key == nullptr) {
        if (target.open != nullptr) target.open->deleted = true;
        error = ERROR_KEY_DELETED;
    }
    return key;
}

KeyPath joined(const KeyPath& base, const KeyPath& below) {
    KeyPath path = base;
    path.insert(path.end(), below.begin(), below.end());
    return path;
}

void report(const char* what) { std::fprintf(stderr, "registry: %s\n", what); }

// Runs one call under the process's registry lock and turns failures of the file into the
// platform's error codes; the reason goes to the error output for whoever runs the PC.
template <typename Call>
LONG guarded(Call call) {
    std::lock_guard guard(registryLock);
    try {
        return call();
    } catch (const RegistryFileError& e) {
        report(e.what());
        return ERROR_BADDB;
    } catch (const RegistryIoError& e) {
        report(e.what());
        return e.writing() ? ERROR_CANTWRITE : ERROR_CANTREAD;
    } catch (const std::bad_alloc&) {
        return ERROR_NOT_ENOUGH_MEMORY;
    } catch (const std::exception& e) {
        report(e.what());
        return ERROR_CANTOPEN;
    }
}

LONG openKey(HKEY key, LPCSTR subKey, REGSAM desired, PHKEY result) {
    if (result == nullptr) return ERROR_INVALID_PARAMETER;
    *result = nullptr;
    return guarded([&]() -> LONG {
        Target target;
        if (LONG e = resolve(key, target)) return e;
        KeyPath below;
        if (DWORD e = parseKeyPath(subKey != nullptr ? subKey : "", below)) return static_cast<LONG>(e);
        const Tree& tree = currentStore().read();
        LONG error = ERROR_SUCCESS;
        if (keyOf(tree, target, error) == nullptr) return error;
        KeyPath path = joined(target.path, below);
        if (tree.find(target.root, path) == nullptr) return ERROR_FILE_NOT_FOUND;
        *result = openKeys.add(OpenKey{target.root, std::move(path), desired, false});
        return ERROR_SUCCESS;
    });
}

}  // namespace

LONG WINAPI RegCreateKeyExA(HKEY key, LPCSTR subKey, DWORD reserved, LPSTR keyClass, DWORD options,
                            REGSAM desired, LPSECURITY_ATTRIBUTES security, PHKEY result,
                            LPDWORD disposition) {
    if (result == nullptr) return ERROR_INVALID_PARAMETER;
    *result = nullptr;
    // Every key is kept in the registry file; a key that would vanish at restart is not offered.
    if (options != REG_OPTION_NON_VOLATILE) return ERROR_INVALID_PARAMETER;
    return guarded([&]() -> LONG {
        Target target;
        if (LONG e = resolve(key, target)) return e;
        KeyPath below;
        if (DWORD e = parseKeyPath(subKey != nullptr ? subKey : "", below)) return static_cast<LONG>(e);
        KeyPath path = joined(target.path, below);
        Store& registry = currentStore();
        LONG error = ERROR_SUCCESS;
        bool created = false;
        const Tree& now = registry.read();
        if (keyOf(now, target, error) == nullptr) return error;
        if (now.find(target.root, path) == nullptr) {
            registry.modify([&](Tree& tree) {
                if (keyOf(tree, target, error) == nullptr || tree.find(target.root, path) != nullptr) return false;
                if ((target.access & KEY_CREATE_SUB_KEY) == 0) {
                    error = ERROR_ACCESS_DENIED;
                    return false;
                }
                tree.create(target.root, path, created);
                return true;
            });
            if (error != ERROR_SUCCESS) return error;
        }
        *result = openKeys.add(OpenKey{target.root, std::move(path), desired, false});
        if (disposition != nullptr) *disposition = created ? REG_CREATED_NEW_KEY : REG_OPENED_EXISTING_KEY;
        return ERROR_SUCCESS;
    });
}

LONG WINAPI RegCreateKeyA(HKEY key, LPCSTR subKey, PHKEY result) {
    return RegCreateKeyExA(key, subKey, 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS, nullptr, result, nullptr);
}

LONG WINAPI RegOpenKeyExA(HKEY key, LPCSTR subKey, DWORD options, REGSAM desired, PHKEY result) {
    return openKey(key, subKey, desired, result);
}

LONG WINAPI RegOpenKeyA(HKEY key, LPCSTR subKey, PHKEY result) {
    return openKey(key, subKey, KEY_ALL_ACCESS, result);
}

LONG WINAPI RegCloseKey(HKEY key) {
    std::lock_guard guard(registryLock);
    if (rootByHandle(reinterpret_cast<ULONG_PTR>(key))) return ERROR_SUCCESS;
    return openKeys.close(key) ? ERROR_SUCCESS : ERROR_INVALID_HANDLE;
}

LONG WINAPI RegDeleteKeyA(HKEY key, LPCSTR subKey) {
    // The key itself is never deleted through an empty name: that would take a whole root.
    if (subKey == nullptr || *subKey == '\0') return ERROR_INVALID_PARAMETER;
    return guarded([&]() -> LONG {
        Target target;
        if (LONG e = resolve(key, target)) return e;
        KeyPath below;
        if (DWORD e = parseKeyPath(subKey, below)) return static_cast<LONG>(e);
        KeyPath path = joined(target.path, below);
        LONG error = ERROR_SUCCESS;
        Store& registry = currentStore();
        registry.modify([&](Tree& tree) {
            if (keyOf(tree, target, error) == nullptr) return false;
            if (!tree.remove(target.root, path)) {
                error = ERROR_FILE_NOT_FOUND;
                return false;
            }
            return true;
        });
        if (error == ERROR_SUCCESS) openKeys.markDeleted(target.root, path, registry.codePage());
        return error;
    });
}

LONG WINAPI RegSetValueExA(HKEY key, LPCSTR valueName, DWORD reserved, DWORD type, const BYTE* data,
                           DWORD dataSize) {
    if (data == nullptr && dataSize != 0) return ERROR_INVALID_PARAMETER;
    std::string name = valueName != nullptr ? valueName : "";
    if (!isStorableValueName(name)) return ERROR_INVALID_PARAMETER;
    return guarded([&]() -> LONG {
        Target target;
        if (LONG e = resolve(key, target)) return e;
        if ((target.access & KEY_SET_VALUE) == 0) return ERROR_ACCESS_DENIED;
        LONG error = ERROR_SUCCESS;
        currentStore().modify([&](Tree& tree) {
            Key* k = keyOf(tree, target, error);
            if (k == nullptr) return false;
            Value v;
            v.folded = tree.fold(name);
            v.name = name;
            v.type = type;
            v.data.assign(reinterpret_cast<const char*>(data), dataSize);
            k->setValue(std::move(v));
            return true;
        });
        return error;
    });
}

LONG WINAPI RegQueryValueExA(HKEY key, LPCSTR valueName, LPDWORD reserved, LPDWORD type, LPBYTE data,
                             LPDWORD dataSize) {
    if (data != nullptr && dataSize == nullptr) return ERROR_INVALID_PARAMETER;
    return guarded([&]() -> LONG {
        Target target;
        if (LONG e = resolve(key, target)) return e;
        if ((target.access & KEY_QUERY_VALUE) == 0) return ERROR_ACCESS_DENIED;
        const Tree& tree = currentStore().read();
        LONG error = ERROR_SUCCESS;
        const Key* k = keyOf(tree, target, error);
        if (k == nullptr) return error;
        const Value* v = k->value(tree.fold(valueName != nullptr ? valueName : ""));
        if (v == nullptr) return ERROR_FILE_NOT_FOUND;
        if (type != nullptr) *type = v->type;
        if (dataSize == nullptr) return ERROR_SUCCESS;
        auto size = static_cast<DWORD>(v->data.size());
        if (data != nullptr && *dataSize < size) {
            *dataSize = size;
            return ERROR_MORE_DATA;
        }
        if (data != nullptr) std::memcpy(data, v->data.data(), size);
        *dataSize = size;
        return ERROR_SUCCESS;
    });
}
