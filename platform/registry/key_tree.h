// The registry in memory: six root keys, each a tree of keys holding values. Names keep the
// case they were made with and are found by their folded form in the PC's code page.
#pragma once

#include "win/types.h"

#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace platform::registry {

struct Value {
    std::string name;    // as stored; empty for the key's default value
    std::string folded;  // NAME without regard to case
    DWORD type = 0;
    std::string data;    // the value's bytes as set
};

class Key {
public:
    explicit Key(std::string name) : name_(std::move(name)) {}

    const std::string& name() const { return name_; }

    // Subkeys by folded name, so they list in one stable order.
    const std::map<std::string, std::unique_ptr<Key>>& children() const { return children_; }
    Key* child(const std::string& folded) const;
    // The subkey FOLDED, made with NAME when missing; CREATED tells which.
    Key& addChild(const std::string& folded, std::string_view name, bool& created);
    bool removeChild(const std::string& folded);

    const std::vector<Value>& values() const { return values_; }
    const Value* value(const std::string& folded) const;
    // Replaces the value of the same folded name (keeping its stored name) or adds it.
    void setValue(Value value);

private:
    std::string name_;
    std::map<std::string, std::unique_ptr<Key>> children_;
    std::vector<Value> values_;
};

// The predefined roots in the order of their handle numbers.
inline constexpr int kRootCount = 6;
struct RootInfo {
    const char* name;
    DWORD handle;
};
const RootInfo& rootInfo(int root);
// The root of NAME (without regard to case), if it is one of the six.
std::optional<int> rootByName(std::string_view name);
// The root of a predefined key handle, if HANDLE is one.
std::optional<int> rootByHandle(ULONG_PTR handle);

using KeyPath = std::vector<std::string>;  // key names below a root, as given

class Tree {
public:
    explicit Tree(int codePage);

    int codePage() const { return codePage_; }
    std::string fold(std::string_view name) const;

    Key& root(int root) { return *roots_[static_cast<std::size_t>(root)]; }
    const Key& root(int root) const { return *roots_[static_cast<std::size_t>(root)]; }
    Key* find(int root, const KeyPath& path) const;
    // Makes every missing key of PATH; CREATED tells whether the last one was new.
    Key& create(int root, const KeyPath& path, bool& created);
    // Removes the last key of a non-empty PATH with everything below it.
    bool remove(int root, const KeyPath& path);
    // The key's full name, "HKEY_...\A\B", in the stored case.
    std::string fullName(int root, const KeyPath& path) const;

private:
    int codePage_;
    std::vector<std::unique_ptr<Key>> roots_;
};

}  // namespace platform::registry
