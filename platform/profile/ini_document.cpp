#include "profile/ini_document.h"

#include <algorithm>

namespace platform::profile {

namespace {

constexpr std::string_view kCrLf = "\r\n";

bool isBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r';
}

// [begin, end) of TEXT narrowed past blanks on both sides.
void trim(std::string_view text, std::size_t& begin, std::size_t& end) {
    while (begin < end && isBlank(text[begin])) {
        ++begin;
    }
    while (end > begin && isBlank(text[end - 1])) {
        --end;
    }
}

std::string_view withoutQuotes(std::string_view value) {
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') && value.back() == value.front()) {
        return value.substr(1, value.size() - 2);
    }
    return value;
}

}  // namespace

IniDocument::IniDocument(std::string text, NameFolding folding)
    : text_(std::move(text)), folding_(std::move(folding)) {
    parse();
}

void IniDocument::parse() {
    const std::string_view text(text_);
    std::size_t begin = 0;
    while (begin < text.size()) {
        Line line;
        line.begin = begin;
        const std::size_t newline = text.find('\n', begin);
        if (newline == std::string_view::npos) {
            line.contentEnd = line.end = text.size();
        } else {
            line.end = newline + 1;
            line.contentEnd = (newline > begin && text[newline - 1] == '\r') ? newline - 1 : newline;
            if (lineEnd_.empty()) {
                lineEnd_ = std::string(text.substr(line.contentEnd, line.end - line.contentEnd));
            }
        }
        classify(line);
        lines_.push_back(line);
        begin = line.end;
    }
    if (lineEnd_.empty()) {
        lineEnd_ = std::string(kCrLf);
    }

    for (std::size_t index = 0; index < lines_.size(); ++index) {
        const Line& line = lines_[index];
        if (line.kind == LineKind::Header) {
            if (!sections_.empty()) {
                sections_.back().endLine = index;
            }
            firstSectionByName_.try_emplace(folding_.fold(view(line.name)), sections_.size());
            Section section;
            section.header = index;
            section.endLine = lines_.size();
            sections_.push_back(std::move(section));
        } else if (line.kind == LineKind::Entry && !sections_.empty()) {
            Section& section = sections_.back();
            section.entryLines.push_back(index);
            section.firstEntryByKey.try_emplace(folding_.fold(view(line.name)), index);
        }
    }
}

void IniDocument::classify(Line& line) const {
    const std::string_view text(text_);
    std::size_t begin = line.begin;
    std::size_t end = line.contentEnd;
    trim(text, begin, end);
    if (begin == end || text[begin] == ';') {
        return;
    }
    if (text[begin] == '[') {
        std::size_t nameBegin = begin + 1;
        std::size_t nameEnd = text.substr(0, end).find(']', nameBegin);
        if (nameEnd == std::string_view::npos) {
            nameEnd = end;
        }
        trim(text, nameBegin, nameEnd);
        line.kind = LineKind::Header;
        line.name = {nameBegin, nameEnd - nameBegin};
        return;
    }
    const std::size_t equals = text.substr(0, end).find('=', begin);
    if (equals == std::string_view::npos) {
        return;
    }
    std::size_t keyBegin = begin;
    std::size_t keyEnd = equals;
    trim(text, keyBegin, keyEnd);
    if (keyBegin == keyEnd) {
        return;  // "=value" names no key
    }
    std::size_t valueBegin = equals + 1;
    std::size_t valueEnd = end;
    trim(text, valueBegin, valueEnd);
    line.kind = LineKind::Entry;
    line.name = {keyBegin, keyEnd - keyBegin};
    line.value = {valueBegin, valueEnd - valueBegin};
}

const IniDocument::Section* IniDocument::findSection(std::string_view name) const {
    const auto found = firstSectionByName_.find(folding_.fold(name));
    return found == firstSectionByName_.end() ? nullptr : &sections_[found->second];
}

std::optional<std::string_view> IniDocument::value(std::string_view section, std::string_view key) const {
    const Section* found = findSection(section);
    if (found == nullptr) {
        return std::nullopt;
    }
    const auto entry = found->firstEntryByKey.find(folding_.fold(key));
    if (entry == found->firstEntryByKey.end()) {
        return std::nullopt;
    }
    return withoutQuotes(view(lines_[entry->second].value));
}

std::vector<std::string_view> IniDocument::sectionNames() const {
    std::vector<std::string_view> names;
    for (std::size_t index = 0; index < sections_.size(); ++index) {
        const std::string_view name = view(lines_[sections_[index].header].name);
        if (firstSectionByName_.at(folding_.fold(name)) == index) {
            names.push_back(name);
        }
    }
    return names;
}

std::vector<std::string_view> IniDocument::keyNames(std::string_view section) const {
    std::vector<std::string_view> names;
    const Section* found = findSection(section);
    if (found == nullptr) {
        return names;
    }
    for (const std::size_t lineIndex : found->entryLines) {
        const std::string_view key = view(lines_[lineIndex].name);
        if (found->firstEntryByKey.at(folding_.fold(key)) == lineIndex) {
            names.push_back(key);
        }
    }
    return names;
}

std::vector<std::string> IniDocument::entries(std::string_view section) const {
    std::vector<std::string> result;
    if (const Section* found = findSection(section)) {
        for (const std::size_t lineIndex : found->entryLines) {
            const Line& line = lines_[lineIndex];
            result.push_back(std::string(view(line.name)) + "=" + std::string(view(line.value)));
        }
    }
    return result;
}

std::string IniDocument::withValue(std::string_view section, std::string_view key, std::string_view value) const {
    const std::string line = std::string(key) + "=" + std::string(value);
    const Section* found = findSection(section);
    if (found == nullptr) {
        return applied({appendSection(section, {line})});
    }
    const auto entry = found->firstEntryByKey.find(folding_.fold(key));
    if (entry != found->firstEntryByKey.end()) {
        const Line& old = lines_[entry->second];
        return applied({Edit{old.begin, old.contentEnd, line}});
    }
    const std::size_t anchor = found->entryLines.empty() ? found->header : found->entryLines.back();
    return applied({insertAfter(anchor, {line})});
}

std::string IniDocument::withoutKey(std::string_view section, std::string_view key) const {
    const Section* found = findSection(section);
    if (found == nullptr) {
        return text_;
    }
    const std::string folded = folding_.fold(key);
    std::vector<Edit> edits;
    for (const std::size_t lineIndex : found->entryLines) {
        if (folding_.fold(view(lines_[lineIndex].name)) == folded) {
            edits.push_back(removeLine(lineIndex));
        }
    }
    return applied(std::move(edits));
}

std::string IniDocument::withoutSection(std::string_view section) const {
    const std::string folded = folding_.fold(section);
    std::vector<Edit> edits;
    for (const Section& candidate : sections_) {
        if (folding_.fold(view(lines_[candidate.header].name)) == folded) {
            edits.push_back(Edit{lines_[candidate.header].begin, sectionEnd(candidate), {}});
        }
    }
    return applied(std::move(edits));
}

std::string IniDocument::withSection(std::string_view section, const std::vector<std::string>& lines) const {
    const Section* found = findSection(section);
    if (found == nullptr) {
        return applied({appendSection(section, lines)});
    }
    std::vector<Edit> edits;
    if (found->entryLines.empty()) {
        edits.push_back(insertAfter(found->header, lines));
    } else {
        // The new entries take the place of the first old one; the rest of the old ones go.
        const Line& first = lines_[found->entryLines.front()];
        edits.push_back(Edit{first.begin, first.end, joinedLines(lines)});
        for (std::size_t i = 1; i < found->entryLines.size(); ++i) {
            edits.push_back(removeLine(found->entryLines[i]));
        }
    }
    return applied(std::move(edits));
}

std::size_t IniDocument::sectionEnd(const Section& section) const {
    return lines_[section.endLine - 1].end;
}

std::string IniDocument::joinedLines(const std::vector<std::string>& lines) const {
    std::string joined;
    for (const std::string& line : lines) {
        joined += line;
        joined += lineEnd_;
    }
    return joined;
}

IniDocument::Edit IniDocument::insertAfter(std::size_t lineIndex, const std::vector<std::string>& lines) const {
    const Line& anchor = lines_[lineIndex];
    // A last line without a line end gets one, so that the new line starts a line of its own.
    const std::string separator = anchor.hasLineEnd() ? std::string() : lineEnd_;
    return Edit{anchor.end, anchor.end, separator + joinedLines(lines)};
}

IniDocument::Edit IniDocument::appendSection(std::string_view section, const std::vector<std::string>& lines) const {
    const bool openLastLine = !lines_.empty() && !lines_.back().hasLineEnd();
    std::string appended = openLastLine ? lineEnd_ : std::string();
    appended += "[" + std::string(section) + "]" + lineEnd_;
    appended += joinedLines(lines);
    return Edit{text_.size(), text_.size(), std::move(appended)};
}

IniDocument::Edit IniDocument::removeLine(std::size_t lineIndex) const {
    return Edit{lines_[lineIndex].begin, lines_[lineIndex].end, {}};
}

std::string IniDocument::applied(std::vector<Edit> edits) const {
    std::sort(edits.begin(), edits.end(), [](const Edit& a, const Edit& b) { return a.begin < b.begin; });
    std::string result;
    result.reserve(text_.size());
    std::size_t copied = 0;
    for (const Edit& edit : edits) {
        result.append(text_, copied, edit.begin - copied);
        result += edit.text;
        copied = edit.end;
    }
    result.append(text_, copied, std::string::npos);
    return result;
}

}  // namespace platform::profile
