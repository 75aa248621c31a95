// The global atom table: strings with reference counts, numbered from 0xC000, found without
// regard to case.
#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>

namespace platform::desktop {

class AtomTable {
public:
    static constexpr std::uint16_t kFirst = 0xC000;
    static constexpr std::size_t kMaxName = 255;

    // Adds NAME or counts one more reference to it; 0 when the table is full or NAME is unfit.
    std::uint16_t add(const std::string& name) {
        if (name.empty() || name.size() > kMaxName) return 0;
        if (std::uint16_t atom = find(name)) {
            ++entries_[atom].references;
            return atom;
        }
        for (std::uint32_t atom = kFirst; atom <= 0xFFFF; ++atom) {
            std::uint16_t candidate = static_cast<std::uint16_t>(atom);
            if (!entries_.count(candidate)) {
                entries_[candidate] = {name, 1};
                byName_[folded(name)] = candidate;
                return candidate;
            }
        }
        return 0;
    }

    std::uint16_t find(const std::string& name) const {
        auto it = byName_.find(folded(name));
        return it == byName_.end() ? 0 : it->second;
    }

    std::optional<std::string> name(std::uint16_t atom) const {
        auto it = entries_.find(atom);
        if (it == entries_.end()) return std::nullopt;
        return it->second.name;
    }

    // Drops one reference; false when ATOM is not in the table.
    bool release(std::uint16_t atom) {
        auto it = entries_.find(atom);
        if (it == entries_.end()) return false;
        if (--it->second.references == 0) {
            byName_.erase(folded(it->second.name));
            entries_.erase(it);
        }
        return true;
    }

private:
    static std::string folded(std::string s) {
        for (char& ch : s)
            if (ch >= 'a' && ch <= 'z') ch = static_cast<char>(ch - 32);
        return s;
    }
    struct Entry {
        std::string name;
        int references = 0;
    };
    std::map<std::uint16_t, Entry> entries_;
    std::map<std::string, std::uint16_t> byName_;
};

}  // namespace platform::desktop
