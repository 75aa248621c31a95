#include "program_groups.h"

#include "win/codepage.h"
#include "win/kernel.h"
#include "win/profile.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <map>

namespace progman {

namespace {

constexpr const char* kListFileName = "PROGMAN.INI";
constexpr const char* kGroupsSection = "Groups";
constexpr const char* kGroupSection = "Group";
constexpr std::string_view kGroupKeyPrefix = "Group";

std::string upperCase(std::string_view text) {
    std::string copy(text);
    CharUpperA(copy.data());
    return copy;
}

std::string windowsDirectory() {
    char buffer[MAX_PATH] = {};
    GetWindowsDirectoryA(buffer, MAX_PATH);
    return buffer;
}

std::string itemSection(std::size_t index) { return "Item" + std::to_string(index); }

// A value as the profile functions give it; nullopt when the key is missing or the value longer
// than a field may be.
std::optional<std::string> readValue(const std::string& section, const char* key, const std::string& file) {
    static constexpr char kMissing[] = "\x01missing";
    std::string buffer(kMaxFieldLength + 2, '\0');
    DWORD length = GetPrivateProfileStringA(section.c_str(), key, kMissing, buffer.data(),
                                            static_cast<DWORD>(buffer.size()), file.c_str());
    buffer.resize(length);
    if (buffer == kMissing || length > kMaxFieldLength) return std::nullopt;
    return buffer;
}

// The key names of a section (empty when the section is missing).
std::vector<std::string> readKeys(const std::string& section, const std::string& file) {
    std::string buffer(4096, '\0');
    for (;;) {
        DWORD length = GetPrivateProfileStringA(section.c_str(), nullptr, "", buffer.data(),
                                                static_cast<DWORD>(buffer.size()), file.c_str());
        if (length + 2 < buffer.size()) {
            buffer.resize(length);
            break;
        }
        buffer.resize(buffer.size() * 2);
    }
    std::vector<std::string> keys;
    for (std::size_t start = 0; start < buffer.size();) {
        std::size_t end = buffer.find('\0', start);
        if (end == std::string::npos) end = buffer.size();
        if (end > start) keys.emplace_back(buffer, start, end - start);
        start = end + 1;
    }
    return keys;
}

std::optional<int> parseNumber(std::string_view text) {
    int value = 0;
    auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size()) return std::nullopt;
    return value;
}

// "Group12" -> 12; other keys of the list section are not group entries.
std::optional<int> groupNumber(const std::string& key) {
    if (key.size() <= kGroupKeyPrefix.size() || !sameName(key.substr(0, kGroupKeyPrefix.size()), kGroupKeyPrefix))
        return std::nullopt;
    std::string_view digits = std::string_view(key).substr(kGroupKeyPrefix.size());
    if (!std::all_of(digits.begin(), digits.end(), [](char c) { return c >= '0' && c <= '9'; })) return std::nullopt;
    return parseNumber(digits);
}

// The list's group entries by number: number -> group file.
std::map<int, std::string> readGroupEntries() {
    const std::string file = GroupStore::listFile();
    std::map<int, std::string> entries;
    for (const std::string& key : readKeys(kGroupsSection, file)) {
        std::optional<int> number = groupNumber(key);
        if (!number) continue;
        if (std::optional<std::string> groupFile = readValue(kGroupsSection, key.c_str(), file))
            entries.emplace(*number, *groupFile);
    }
    return entries;
}

std::string quoted(std::string_view value) {
    std::string text;
    text.reserve(value.size() + 2);
    text.push_back('"');
    text.append(value);
    text.push_back('"');
    return text;
}

// The lines of a profile section: "key=value" each ended by a zero, the list by a second zero.
class SectionLines {
public:
    void add(std::string_view key, std::string_view value) {
        text_.append(key).append("=").append(value).push_back('\0');
    }
    const char* text() {
        text_.push_back('\0');
        return text_.c_str();
    }

private:
    std::string text_;
};

// A section's entries read in one call, values without their surrounding quotes (as the profile
// rules give single values).
class SectionValues {
public:
    SectionValues(const std::string& section, const std::string& file) {
        std::string buffer(8192, '\0');
        for (;;) {
            DWORD length = GetPrivateProfileSectionA(section.c_str(), buffer.data(), static_cast<DWORD>(buffer.size()), file.c_str());
            if (length + 2 < buffer.size()) {
                buffer.resize(length);
                break;
            }
            buffer.resize(buffer.size() * 2);
        }
        for (std::size_t start = 0; start < buffer.size();) {
            std::size_t end = buffer.find('\0', start);
            if (end == std::string::npos) end = buffer.size();
            std::string_view line(buffer.data() + start, end - start);
            std::size_t equals = line.find('=');
            if (equals != std::string_view::npos) entries_.emplace_back(line.substr(0, equals), unquoted(line.substr(equals + 1)));
            start = end + 1;
        }
    }

    std::optional<std::string> text(std::string_view key) const {
        for (const auto& [name, value] : entries_)
            if (sameName(name, key)) return value.size() <= kMaxFieldLength ? std::optional(value) : std::nullopt;
        return std::nullopt;
    }
    std::optional<int> number(std::string_view key) const {
        std::optional<std::string> value = text(key);
        return value ? parseNumber(*value) : std::nullopt;
    }

private:
    static std::string unquoted(std::string_view value) {
        if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') && value.back() == value.front())
            value = value.substr(1, value.size() - 2);
        return std::string(value);
    }

    std::vector<std::pair<std::string, std::string>> entries_;
};

std::optional<ProgramItem> loadItem(const std::string& section, const std::string& file) {
    const SectionValues values(section, file);
    std::optional<std::string> name = values.text("Name");
    std::optional<std::string> command = values.text("Command");
    if (!name || !command) return std::nullopt;
    ProgramItem item;
    item.name = *name;
    item.commandLine = *command;
    item.iconPath = values.text("IconPath").value_or("");
    item.iconIndex = values.number("IconIndex").value_or(0);
    std::optional<int> x = values.number("X");
    std::optional<int> y = values.number("Y");
    if (x && y) item.position = ItemPosition{*x, *y};
    item.workingDirectory = values.text("WorkingDir").value_or("");
    item.hotKey = values.number("HotKey").value_or(0);
    item.minimize = values.number("Minimize").value_or(0) != 0;
    return item;
}

// Reads a group file; on failure PROBLEM says what is wrong with it.
std::optional<ProgramGroup> loadGroup(const std::string& file, std::string& problem) {
    if (GetFileAttributesA(file.c_str()) == INVALID_FILE_ATTRIBUTES) {
        problem = file + ": the group file is missing";
        return std::nullopt;
    }
    std::optional<std::string> name = readValue(kGroupSection, "Name", file);
    if (!name || name->empty()) {
        problem = file + ": no group name ([Group] Name)";
        return std::nullopt;
    }
    ProgramGroup group{*name, file, {}};
    const int count = static_cast<int>(GetPrivateProfileIntA(kGroupSection, "Count", 0, file.c_str()));
    for (int i = 0; i < count; ++i) {
        std::optional<ProgramItem> item = loadItem(itemSection(i), file);
        if (!item) {
            problem = file + ": [" + itemSection(i) + "] lacks its Name or Command (Count is " +
                      std::to_string(count) + ")";
            return std::nullopt;
        }
        group.items.push_back(std::move(*item));
    }
    return group;
}

bool isGroupNamed(const std::string& file, std::string_view groupName) {
    std::optional<std::string> name = readValue(kGroupSection, "Name", file);
    return name && sameName(*name, groupName);
}

std::string fullGroupFile(std::string_view file) {
    if (file.find_first_of(":\\") == std::string_view::npos) return windowsDirectory() + "\\" + std::string(file);
    char buffer[MAX_PATH] = {};
    DWORD length = GetFullPathNameA(std::string(file).c_str(), MAX_PATH, buffer, nullptr);
    return length == 0 || length >= MAX_PATH ? std::string() : std::string(buffer);
}

// A readable file name for a new group: the group name's letters and digits, made unique.
std::string newGroupFile(std::string_view groupName, const std::map<int, std::string>& entries) {
    std::string base;
    for (char c : groupName) {
        unsigned char byte = static_cast<unsigned char>(c);
        if (byte < 0x80 && std::isalnum(byte) && base.size() < 8) base.push_back(static_cast<char>(std::toupper(byte)));
    }
    if (base.empty()) base = "GROUP";
    const std::string directory = windowsDirectory() + "\\";
    for (int suffix = 0;; ++suffix) {
        std::string candidate = directory + base + (suffix == 0 ? "" : std::to_string(suffix)) + ".GRP";
        bool listed = std::any_of(entries.begin(), entries.end(),
                                  [&](const auto& entry) { return sameName(entry.second, candidate); });
        if (!listed && GetFileAttributesA(candidate.c_str()) == INVALID_FILE_ATTRIBUTES) return candidate;
    }
}

}  // namespace

bool sameName(std::string_view a, std::string_view b) {
    return a.size() == b.size() && upperCase(a) == upperCase(b);
}

ProgramItem* ProgramGroup::findItem(std::string_view itemName) {
    auto found = std::find_if(items.begin(), items.end(), [&](const ProgramItem& item) { return sameName(item.name, itemName); });
    return found == items.end() ? nullptr : &*found;
}

const ProgramItem* ProgramGroup::findItem(std::string_view itemName) const {
    return const_cast<ProgramGroup*>(this)->findItem(itemName);
}

std::string GroupStore::listFile() { return windowsDirectory() + "\\" + kListFileName; }

GroupListing GroupStore::list() const {
    GroupListing listing;
    for (const auto& [number, file] : readGroupEntries()) {
        std::string problem;
        if (std::optional<ProgramGroup> group = loadGroup(file, problem))
            listing.groups.push_back(std::move(*group));
        else
            listing.problems.push_back(problem + " (Group" + std::to_string(number) + " in " + listFile() + ")");
    }
    return listing;
}

std::optional<ProgramGroup> GroupStore::find(std::string_view groupName) const {
    for (const auto& [number, file] : readGroupEntries()) {
        if (!isGroupNamed(file, groupName)) continue;
        std::string problem;
        if (std::optional<ProgramGroup> group = loadGroup(file, problem)) return group;
    }
    return std::nullopt;
}

std::optional<ProgramGroup> GroupStore::create(std::string_view groupName, std::string_view file) {
    const std::map<int, std::string> entries = readGroupEntries();
    std::string groupFile;
    if (file.empty()) {
        groupFile = newGroupFile(groupName, entries);
    } else {
        groupFile = fullGroupFile(file);
        if (groupFile.empty()) return std::nullopt;
        for (const auto& entry : entries)
            if (sameName(entry.second, groupFile)) return std::nullopt;
    }
    ProgramGroup group{std::string(groupName), groupFile, {}};
    if (!save(group)) return std::nullopt;
    const int number = entries.empty() ? 1 : entries.rbegin()->first + 1;
    const std::string key = std::string(kGroupKeyPrefix) + std::to_string(number);
    if (!WritePrivateProfileStringA(kGroupsSection, key.c_str(), groupFile.c_str(), listFile().c_str())) {
        DeleteFileA(groupFile.c_str());
        return std::nullopt;
    }
    return group;
}

bool GroupStore::save(const ProgramGroup& group) const {
    const char* file = group.file.c_str();
    const std::size_t oldCount = GetPrivateProfileIntA(kGroupSection, "Count", 0, file);

    SectionLines header;
    header.add("Name", quoted(group.name));
    header.add("Count", std::to_string(group.items.size()));
    if (!WritePrivateProfileSectionA(kGroupSection, header.text(), file)) return false;

    for (std::size_t i = 0; i < group.items.size(); ++i) {
        const ProgramItem& item = group.items[i];
        SectionLines lines;
        lines.add("Name", quoted(item.name));
        lines.add("Command", quoted(item.commandLine));
        lines.add("IconPath", quoted(item.iconPath));
        lines.add("IconIndex", std::to_string(item.iconIndex));
        if (item.position) {
            lines.add("X", std::to_string(item.position->x));
            lines.add("Y", std::to_string(item.position->y));
        }
        lines.add("WorkingDir", quoted(item.workingDirectory));
        lines.add("HotKey", std::to_string(item.hotKey));
        lines.add("Minimize", item.minimize ? "1" : "0");
        if (!WritePrivateProfileSectionA(itemSection(i).c_str(), lines.text(), file)) return false;
    }
    for (std::size_t i = group.items.size(); i < oldCount; ++i)
        WritePrivateProfileStringA(itemSection(i).c_str(), nullptr, nullptr, file);
    return true;
}

bool GroupStore::remove(std::string_view groupName) {
    for (const auto& [number, file] : readGroupEntries()) {
        if (!isGroupNamed(file, groupName)) continue;
        const std::string key = std::string(kGroupKeyPrefix) + std::to_string(number);
        if (!WritePrivateProfileStringA(kGroupsSection, key.c_str(), nullptr, listFile().c_str())) return false;
        DeleteFileA(file.c_str());
        return true;
    }
    return false;
}

}  // namespace progman
