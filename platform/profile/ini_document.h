// The text of an initialization file as a model that keeps every line: section headers,
// key=value entries, and everything else (comments, blank lines, unknown lines) untouched.
//
// Look-ups follow the profile rules: names without regard to case, the first of duplicate
// sections or keys wins, blanks around "=" and around the value are dropped, and one pair of
// surrounding quotes is removed from a value. Edits never change the document itself: they
// return the text of the file after the edit, with every other line exactly as it was.
#pragma once

#include "profile/names.h"

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace platform::profile {

class IniDocument {
public:
    explicit IniDocument(std::string text = {}, NameFolding folding = NameFolding());

    const std::string& text() const { return text_; }
    const NameFolding& folding() const { return folding_; }
    // The line end that new lines get: the file's first, or CR LF for a file without one.
    std::string_view lineEnd() const { return lineEnd_; }

    // The value of KEY in SECTION, without surrounding quotes; nullopt when either is missing.
    std::optional<std::string_view> value(std::string_view section, std::string_view key) const;
    // Each section name once, in file order, spelled as at its first occurrence.
    std::vector<std::string_view> sectionNames() const;
    // Each key of the section once, in file order (empty when the section is missing).
    std::vector<std::string_view> keyNames(std::string_view section) const;
    // The section's entries as "key=value" with the value as written (quotes kept).
    std::vector<std::string> entries(std::string_view section) const;

    // Text after setting KEY to VALUE: an existing entry is rewritten in place, a new key goes
    // after the last entry of its section, a new section goes at the end of the file.
    std::string withValue(std::string_view section, std::string_view key, std::string_view value) const;
    // Text without the key's entries in its section (the text as it is when there are none).
    std::string withoutKey(std::string_view section, std::string_view key) const;
    // Text without every section of that name, header and lines.
    std::string withoutSection(std::string_view section) const;
    // Text with the section's entries replaced by LINES (other lines of the section stay).
    std::string withSection(std::string_view section, const std::vector<std::string>& lines) const;

private:
    struct Span {
        std::size_t offset = 0;
        std::size_t length = 0;
    };
    enum class LineKind { Other, Header, Entry };
    struct Line {
        std::size_t begin = 0;       // first byte of the line
        std::size_t contentEnd = 0;  // first byte of its line end
        std::size_t end = 0;         // first byte of the next line
        LineKind kind = LineKind::Other;
        Span name;   // section name or key, trimmed
        Span value;  // entry value, trimmed, quotes kept
        bool hasLineEnd() const { return end != contentEnd; }
    };
    struct Section {
        std::size_t header = 0;   // index of the header line
        std::size_t endLine = 0;  // index of the first line after the section
        std::vector<std::size_t> entryLines;
        std::unordered_map<std::string, std::size_t> firstEntryByKey;  // folded key -> line
    };
    // Replace the bytes [begin, end) of the text by `text`.
    struct Edit {
        std::size_t begin;
        std::size_t end;
        std::string text;
    };

    void parse();
    void classify(Line& line) const;
    std::string_view view(Span span) const { return std::string_view(text_).substr(span.offset, span.length); }
    const Section* findSection(std::string_view name) const;
    std::size_t sectionEnd(const Section& section) const;
    std::string joinedLines(const std::vector<std::string>& lines) const;
    Edit insertAfter(std::size_t lineIndex, const std::vector<std::string>& lines) const;
    Edit appendSection(std::string_view section, const std::vector<std::string>& lines) const;
    Edit removeLine(std::size_t lineIndex) const;
    std::string applied(std::vector<Edit> edits) const;

    std::string text_;
    NameFolding folding_;
    std::string lineEnd_;
    std::vector<Line> lines_;
    std::vector<Section> sections_;
    std::unordered_map<std::string, std::size_t> firstSectionByName_;  // folded name -> section
};

}  // namespace platform::profile
