#include "registry/key_tree.h"

#include "codepage/code_page.h"

#include <algorithm>

namespace platform::registry {

namespace {

constexpr RootInfo kRoots[kRootCount] = {
    {"HKEY_CLASSES_ROOT", 0x80000000}, {"HKEY_CURRENT_USER", 0x80000001},
    {"HKEY_LOCAL_MACHINE", 0x80000002}, {"HKEY_USERS", 0x80000003},
    {"HKEY_CURRENT_CONFIG", 0x80000005}, {"HKEY_DYN_DATA", 0x80000006},
};

// The root names are ASCII.
bool sameAscii(std::string_view a, std::string_view b) {
    auto upper = [](char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 0x20) : c; };
    return a.size() == b.size() &&
           std::equal(a.begin(), a.end(), b.begin(), [&](char x, char y) { return upper(x) == upper(y); });
}

}  // namespace

Key* Key::child(const std::string& folded) const {
    auto it = children_.find(folded);
    return it == children_.end() ? nullptr : it->second.get();
}

Key& Key::addChild(const std::string& folded, std::string_view name, bool& created) {
    auto [it, inserted] = children_.try_emplace(folded);
    if (inserted) it->second = std::make_unique<Key>(std::string(name));
    created = inserted;
    return *it->second;
}

bool Key::removeChild(const std::string& folded) { return children_.erase(folded) > 0; }

const Value* Key::value(const std::string& folded) const {
    auto it = std::find_if(values_.begin(), values_.end(), [&](const Value& v) { return v.folded == folded; });
    return it == values_.end() ? nullptr : &*it;
}

void Key::setValue(Value value) {
    auto it = std::find_if(values_.begin(), values_.end(), [&](const Value& v) { return v.folded == value.folded; });
    if (it == values_.end()) {
        values_.push_back(std::move(value));
        return;
    }
    it->type = value.type;
    it->data = std::move(value.data);
}

const RootInfo& rootInfo(int root) { return kRoots[root]; }

std::optional<int> rootByName(std::string_view name) {
    for (int i = 0; i < kRootCount; ++i)
        if (sameAscii(name, kRoots[i].name)) return i;
    return std::nullopt;
}

std::optional<int> rootByHandle(ULONG_PTR handle) {
    // The predefined keys are negative 32-bit numbers; accept them with or without sign extension.
    ULONG_PTR high = handle >> 31 >> 1;
    if (high != 0 && high != (~ULONG_PTR{0} >> 31 >> 1)) return std::nullopt;
    for (int i = 0; i < kRootCount; ++i)
        if (static_cast<DWORD>(handle) == kRoots[i].handle) return i;
    return std::nullopt;
}

Tree::Tree(int codePage) : codePage_(codePage) {
    for (const RootInfo& r : kRoots) roots_.push_back(std::make_unique<Key>(r.name));
}

std::string Tree::fold(std::string_view name) const { return codepage::folded(name, codePage_); }

Key* Tree::find(int root, const KeyPath& path) const {
    Key* key = roots_[static_cast<std::size_t>(root)].get();
    for (const std::string& name : path) {
        key = key->child(fold(name));
        if (key == nullptr) return nullptr;
    }
    return key;
}

Key& Tree::create(int root, const KeyPath& path, bool& created) {
    Key* key = roots_[static_cast<std::size_t>(root)].get();
    created = false;
    for (const std::string& name : path) key = &key->addChild(fold(name), name, created);
    return *key;
}

bool Tree::remove(int root, const KeyPath& path) {
    if (path.empty()) return false;
    Key* parent = find(root, KeyPath(path.begin(), path.end() - 1));
    return parent != nullptr && parent->removeChild(fold(path.back()));
}

std::string Tree::fullName(int root, const KeyPath& path) const {
    std::string name = kRoots[root].name;
    const Key* key = roots_[static_cast<std::size_t>(root)].get();
    for (const std::string& part : path) {
        key = key != nullptr ? key->child(fold(part)) : nullptr;
        name += '\\';
        name += key != nullptr ? key->name() : part;
    }
    return name;
}

}  // namespace platform::registry
