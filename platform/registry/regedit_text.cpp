#include "registry/regedit_text.h"

#include "registry/key_path.h"
#include "win/registry.h"

#include <cstdio>

namespace platform::registry {

namespace {

constexpr const char* kLineEnd = "\r\n";

std::string quote(std::string_view text) {
    std::string out = "\"";
    for (char c : text) {
        if (c == '\\' || c == '"') out += '\\';
        out += c;
    }
    out += '"';
    return out;
}

bool quotable(const Value& v) {
    if (v.type != REG_SZ || v.data.empty() || v.data.back() != '\0') return false;
    std::string_view text(v.data.data(), v.data.size() - 1);
    return text.find_first_of(std::string_view("\0\r\n", 3)) == std::string_view::npos;
}

std::string hexBytes(std::string_view data) {
    std::string out;
    char byte[4];
    for (std::size_t i = 0; i < data.size(); ++i) {
        std::snprintf(byte, sizeof byte, "%02x", static_cast<unsigned char>(data[i]));
        if (i > 0) out += ',';
        out += byte;
    }
    return out;
}

std::string formatData(const Value& v) {
    if (quotable(v)) return quote(std::string_view(v.data.data(), v.data.size() - 1));
    char prefix[32];
    if (v.type == REG_DWORD && v.data.size() == 4) {
        DWORD n = 0;
        for (int i = 3; i >= 0; --i) n = (n << 8) | static_cast<unsigned char>(v.data[static_cast<std::size_t>(i)]);
        std::snprintf(prefix, sizeof prefix, "dword:%08x", static_cast<unsigned>(n));
        return prefix;
    }
    if (v.type == REG_BINARY) return "hex:" + hexBytes(v.data);
    std::snprintf(prefix, sizeof prefix, "hex(%x):", static_cast<unsigned>(v.type));
    return prefix + hexBytes(v.data);
}

std::string formatValue(const Value& v) {
    return (v.name.empty() ? std::string("@") : quote(v.name)) + "=" + formatData(v) + kLineEnd;
}

std::string formatSection(const Key& key, const std::string& fullName) {
    std::string out = "[" + fullName + "]" + kLineEnd;
    // The default value leads, as the platform's own editor writes it.
    for (const Value& v : key.values())
        if (v.name.empty()) out += formatValue(v);
    for (const Value& v : key.values())
        if (!v.name.empty()) out += formatValue(v);
    out += kLineEnd;
    return out;
}

// Reads the text of a registry file line by line, keeping the line number for errors.
class Parser {
public:
    Parser(std::string_view text, int codePage, const std::filesystem::path& file)
        : text_(text), file_(file), tree_(codePage) {}

    Tree run() {
        if (text_.find_first_not_of(" \t\r\n") == std::string_view::npos) return std::move(tree_);
        std::string_view line;
        if (!nextLine(line) || line != "REGEDIT4") fail("the file does not begin with the line REGEDIT4");
        while (nextLine(line)) {
            if (line.empty() || line.front() == ';') continue;
            if (line.front() == '[') {
                section(line);
            } else if (line.front() == '@' || line.front() == '"') {
                value(line);
            } else {
                fail("a line that is neither a [key] nor a \"name\"=value");
            }
        }
        return std::move(tree_);
    }

private:
    [[noreturn]] void fail(const std::string& what) const { throw RegistryFileError(file_, lineNumber_, what); }

    // The next line without its line end and surrounding blanks.
    bool nextLine(std::string_view& line) {
        if (position_ >= text_.size()) return false;
        std::size_t end = text_.find('\n', position_);
        if (end == std::string_view::npos) end = text_.size();
        line = text_.substr(position_, end - position_);
        position_ = end + 1;
        ++lineNumber_;
        std::size_t first = line.find_first_not_of(" \t");
        std::size_t last = line.find_last_not_of(" \t\r");
        line = first == std::string_view::npos || last < first ? std::string_view() : line.substr(first, last - first + 1);
        return true;
    }

    void section(std::string_view line) {
        if (line.size() < 2 || line.back() != ']') fail("a key line without its closing ]");
        std::string_view name = line.substr(1, line.size() - 2);
        if (!name.empty() && name.front() == '-') fail("a key deletion ([-...]) has no place in the registry file");
        std::size_t slash = name.find('\\');
        std::optional<int> root = rootByName(name.substr(0, slash));
        if (!root) fail("unknown root key \"" + std::string(name.substr(0, slash)) + "\"");
        KeyPath path;
        if (slash != std::string_view::npos &&
            (name.size() == slash + 1 || parseKeyPath(name.substr(slash + 1), path) != 0))
            fail("bad key name \"" + std::string(name) + "\"");
        bool created = false;
        key_ = &tree_.create(*root, path, created);
    }

    void value(std::string_view line) {
        if (key_ == nullptr) fail("a value before the first [key] line");
        Value v;
        if (line.front() == '@') {
            line.remove_prefix(1);
        } else {
            v.name = quotedText(line);
        }
        if (line.empty() || line.front() != '=') fail("expected = after the value name");
        line.remove_prefix(1);
        data(line, v);
        v.folded = tree_.fold(v.name);
        key_->setValue(std::move(v));
    }

    // Takes a quoted text from LINE's start and returns it without quotes and escapes.
    std::string quotedText(std::string_view& line) {
        std::string out;
        for (std::size_t i = 1; i < line.size(); ++i) {
            char c = line[i];
            if (c == '"') {
                line.remove_prefix(i + 1);
                return out;
            }
            if (c == '\\') {
                if (i + 1 == line.size() || (line[i + 1] != '\\' && line[i + 1] != '"'))
                    fail("a backslash in a quoted text that is not followed by \\ or \"");
                c = line[++i];
            }
            out += c;
        }
        fail("a quoted text without its closing quote");
    }

    void data(std::string_view text, Value& v) {
        if (!text.empty() && text.front() == '"') {
            v.type = REG_SZ;
            v.data = quotedText(text);
            v.data += '\0';
            if (!text.empty()) fail("text after the closing quote of a value");
            return;
        }
        if (text.starts_with("dword:")) {
            text.remove_prefix(6);
            DWORD n = 0;
            if (text.size() != 8 || !hexNumber(text, n)) fail("dword: needs exactly eight hex digits");
            v.type = REG_DWORD;
            for (int i = 0; i < 4; ++i) v.data += static_cast<char>((n >> (8 * i)) & 0xff);
            return;
        }
        if (text.starts_with("hex:")) {
            v.type = REG_BINARY;
            text.remove_prefix(4);
        } else if (text.starts_with("hex(")) {
            std::size_t close = text.find("):");
            DWORD type = 0;
            if (close == std::string_view::npos || close == 4 || close > 12 || !hexNumber(text.substr(4, close - 4), type))
                fail("hex( needs a hex type number and \"):\"");
            v.type = type;
            text.remove_prefix(close + 2);
        } else {
            fail("a value that is neither \"text\", dword: nor hex:");
        }
        v.data = hexList(text);
    }

    static bool hexNumber(std::string_view digits, DWORD& n) {
        n = 0;
        for (char c : digits) {
            int d = c >= '0' && c <= '9' ? c - '0' : c >= 'a' && c <= 'f' ? c - 'a' + 10 : c >= 'A' && c <= 'F' ? c - 'A' + 10 : -1;
            if (d < 0) return false;
            n = (n << 4) | static_cast<DWORD>(d);
        }
        return true;
    }

    // Comma-separated bytes; a line ending in a backslash goes on in the next line.
    std::string hexList(std::string_view text) {
        std::string bytes;
        std::string joined(text);
        while (!joined.empty() && joined.back() == '\\') {
            joined.pop_back();
            std::string_view next;
            if (!nextLine(next)) fail("a hex list continued past the end of the file");
            joined += next;
        }
        std::string_view rest = joined;
        while (!rest.empty()) {
            std::size_t comma = rest.find(',');
            std::string_view item = rest.substr(0, comma);
            while (!item.empty() && (item.front() == ' ' || item.front() == '\t')) item.remove_prefix(1);
            while (!item.empty() && (item.back() == ' ' || item.back() == '\t')) item.remove_suffix(1);
            DWORD b = 0;
            if (item.empty() || item.size() > 2 || !hexNumber(item, b)) fail("\"" + std::string(item) + "\" is not a hex byte");
            bytes += static_cast<char>(b);
            if (comma == std::string_view::npos) break;
            rest.remove_prefix(comma + 1);
            if (rest.empty()) fail("a hex list that ends in a comma");
        }
        return bytes;
    }

    std::string_view text_;
    const std::filesystem::path& file_;
    Tree tree_;
    Key* key_ = nullptr;
    std::size_t position_ = 0;
    std::size_t lineNumber_ = 0;
};

std::string describe(const std::filesystem::path& file, std::size_t line, const std::string& what) {
    return file.string() + ":" + std::to_string(line) + ": " + what;
}

void formatBelow(const Key& key, const std::string& fullName, std::string& out) {
    for (const auto& [folded, child] : key.children()) {
        std::string name = fullName + "\\" + child->name();
        out += formatSection(*child, name);
        formatBelow(*child, name, out);
    }
}

}  // namespace

RegistryFileError::RegistryFileError(const std::filesystem::path& file, std::size_t line, const std::string& what)
    : std::runtime_error(describe(file, line, what)) {}

std::string formatKey(const Key& key, const std::string& fullName) {
    std::string out = formatSection(key, fullName);
    formatBelow(key, fullName, out);
    return out;
}

std::string formatRegistry(const Tree& tree) {
    std::string out(kRegeditHeader);
    for (int r = 0; r < kRootCount; ++r) {
        const Key& root = tree.root(r);
        // A root is always there; its own section is written only when it holds values.
        if (!root.values().empty()) out += formatSection(root, root.name());
        formatBelow(root, root.name(), out);
    }
    return out;
}

Tree parseRegistry(std::string_view text, int codePage, const std::filesystem::path& file) {
    return Parser(text, codePage, file).run();
}

}  // namespace platform::registry
