// Program Manager's groups and items, kept in the PC as text files that survive restarts.
//
// PROGMAN.INI in the Windows directory lists the groups in their order ([Groups] Group1=..., with
// increasing numbers); each group lives in its own file (NAME.GRP in the Windows directory) with
// a [Group] section (Name, Count) and one section per item ([Item0], [Item1] ...). Every value is
// written in quotes so that blanks and quotes at its ends survive the profile rules. All access
// goes through the platform's profile functions on the current PC, so names are bytes of the
// PC's ANSI code page and paths are Windows paths.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace progman {

// The longest text one field of an item or a group may hold (bytes, without a terminating zero).
inline constexpr std::size_t kMaxFieldLength = 1023;

struct ItemPosition {
    int x = 0;
    int y = 0;
    bool operator==(const ItemPosition&) const = default;
};

struct ProgramItem {
    std::string name;
    std::string commandLine;
    std::string iconPath;  // empty: the icon of the command line's program
    int iconIndex = 0;
    std::optional<ItemPosition> position;  // none: the next free place in the group window
    std::string workingDirectory;
    int hotKey = 0;
    bool minimize = false;
    bool operator==(const ProgramItem&) const = default;
};

struct ProgramGroup {
    std::string name;
    std::string file;  // full Windows path of the group file
    std::vector<ProgramItem> items;

    // The item of that name (compared as Program Manager compares names), or null.
    ProgramItem* findItem(std::string_view itemName);
    const ProgramItem* findItem(std::string_view itemName) const;
};

// Names are compared without regard to case, double-byte characters of the PC's code page kept whole.
bool sameName(std::string_view a, std::string_view b);

struct GroupListing {
    std::vector<ProgramGroup> groups;
    std::vector<std::string> problems;  // one line per listed group file that could not be read
};

// The groups of the current PC. Holds nothing between calls: every call reads the files anew, so
// several programs (Program Manager, `pc groups`) see each other's changes.
class GroupStore {
public:
    // Every group in its order, with its items.
    GroupListing list() const;
    std::optional<ProgramGroup> find(std::string_view groupName) const;

    // Adds an empty group at the end of the list. FILE (optional) names its group file; a bare
    // name means the Windows directory. Fails (nullopt) when the file is in use by another group
    // or cannot be written.
    std::optional<ProgramGroup> create(std::string_view groupName, std::string_view file = {});
    // Writes the group's file anew. False when it could not be written.
    bool save(const ProgramGroup& group) const;
    // Removes the group from the list and deletes its file. False when there is no such group.
    bool remove(std::string_view groupName);

    // Full Windows path of PROGMAN.INI.
    static std::string listFile();
};

}  // namespace progman
