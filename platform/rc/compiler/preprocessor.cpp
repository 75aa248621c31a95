#include "rc/compiler/preprocessor.h"

#include <algorithm>
#include <cctype>
#include <functional>
#include <fstream>
#include <sstream>

namespace platform::rc {

namespace {

bool identifierStart(char ch) { return std::isalpha(static_cast<unsigned char>(ch)) || ch == '_'; }
bool identifierChar(char ch) { return std::isalnum(static_cast<unsigned char>(ch)) || ch == '_'; }

std::string trim(const std::string& text) {
    std::size_t first = text.find_first_not_of(" \t\r");
    if (first == std::string::npos) return {};
    std::size_t last = text.find_last_not_of(" \t\r");
    return text.substr(first, last - first + 1);
}

std::vector<std::string> readLines(const std::filesystem::path& file, const Location& from) {
    std::ifstream in(file, std::ios::binary);
    if (!in) throw ScriptError(from, "cannot read " + file.string());
    std::vector<std::string> lines;
    std::string line;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        lines.push_back(line);
    }
    if (!lines.empty() && lines.front().rfind("\xEF\xBB\xBF", 0) == 0) lines.front().erase(0, 3);  // byte order mark
    return lines;
}

bool isHeader(const std::filesystem::path& file) {
    std::string ext = file.extension().string();
    for (char& ch : ext) ch = static_cast<char>(std::tolower(static_cast<unsigned char>(ch)));
    return ext == ".h" || ext == ".hpp" || ext == ".c";
}

}  // namespace

bool Token::isKeyword(const char* word) const {
    if (kind != TokenKind::Identifier || text.size() != std::char_traits<char>::length(word)) return false;
    for (std::size_t i = 0; i < text.size(); ++i)
        if (std::toupper(static_cast<unsigned char>(text[i])) != std::toupper(static_cast<unsigned char>(word[i])))
            return false;
    return true;
}

std::string describe(const Token& token) {
    switch (token.kind) {
    case TokenKind::End:
        return "the end of the script";
    case TokenKind::String:
        return "\"" + token.text + "\"";
    default:
        return "'" + token.text + "'";
    }
}

Preprocessor::Preprocessor(const std::filesystem::path& script, std::vector<std::filesystem::path> includeDirs)
    : includeDirs_(std::move(includeDirs)) {
    defines_["RC_INVOKED"] = "1";
    defines_["RCINVOKED"] = "1";
    open(script, Location{script, 0});
}

void Preprocessor::open(const std::filesystem::path& file, const Location& from) {
    if (sources_.size() > 32) throw ScriptError(from, "#include nested too deeply");
    Source source;
    source.file = file;
    source.lines = readLines(file, from);
    source.headerOnly = isHeader(file);
    source.conditionalDepth = conditionals_.size();
    sources_.push_back(std::move(source));
    filesRead_.push_back(file);
}

std::filesystem::path Preprocessor::findFile(const std::string& name, const Location& where) const {
    std::filesystem::path relative(name);
    std::vector<std::filesystem::path> bases;
    bases.push_back(where.file.parent_path());
    for (const auto& source : sources_) bases.push_back(source.file.parent_path());
    bases.insert(bases.end(), includeDirs_.begin(), includeDirs_.end());
    if (relative.is_absolute() && std::filesystem::exists(relative)) return relative;
    for (const auto& base : bases)
        if (std::filesystem::exists(base / relative)) return base / relative;
    throw ScriptError(where, "cannot find file " + name);
}

std::vector<Token> Preprocessor::lex(const std::string& text, const Location& where, bool& inComment) {
    std::vector<Token> tokens;
    std::size_t i = 0;
    while (i < text.size()) {
        if (inComment) {
            std::size_t end = text.find("*/", i);
            if (end == std::string::npos) return tokens;
            inComment = false;
            i = end + 2;
            continue;
        }
        char ch = text[i];
        if (std::isspace(static_cast<unsigned char>(ch))) {
            ++i;
        } else if (text.compare(i, 2, "//") == 0) {
            break;
        } else if (text.compare(i, 2, "/*") == 0) {
            inComment = true;
            i += 2;
        } else if (identifierStart(ch)) {
            std::size_t start = i;
            while (i < text.size() && identifierChar(text[i])) ++i;
            tokens.push_back(Token{TokenKind::Identifier, text.substr(start, i - start), 0, where});
        } else if (std::isdigit(static_cast<unsigned char>(ch))) {
            std::size_t start = i;
            int base = 10;
            if (ch == '0' && i + 1 < text.size() && (text[i + 1] == 'x' || text[i + 1] == 'X')) {
                base = 16;
                i += 2;
            }
            std::int64_t value = 0;
            std::size_t digits = 0;
            while (i < text.size() && std::isxdigit(static_cast<unsigned char>(text[i]))) {
                int digit = std::isdigit(static_cast<unsigned char>(text[i]))
                                ? text[i] - '0'
                                : std::tolower(static_cast<unsigned char>(text[i])) - 'a' + 10;
                if (digit >= base) break;
                value = value * base + digit;
                if (value > 0xFFFFFFFFLL) throw ScriptError(where, "number too large: " + text.substr(start, i - start + 1));
                ++i;
                ++digits;
            }
            while (i < text.size() && (text[i] == 'L' || text[i] == 'l' || text[i] == 'U' || text[i] == 'u')) ++i;
            if (digits == 0 || (i < text.size() && identifierChar(text[i])))
                throw ScriptError(where, "malformed number " + text.substr(start, i - start + 1));
            tokens.push_back(Token{TokenKind::Number, text.substr(start, i - start), value, where});
        } else if (ch == '"') {
            std::string value;
            ++i;
            bool closed = false;
            while (i < text.size()) {
                char c = text[i++];
                if (c == '"') {
                    if (i < text.size() && text[i] == '"') {  // "" is one quote
                        value.push_back('"');
                        ++i;
                        continue;
                    }
                    closed = true;
                    break;
                }
                if (c == '\\' && i < text.size()) {
                    char e = text[i++];
                    switch (e) {
                    case 'n':
                        value.push_back('\n');
                        break;
                    case 'r':
                        value.push_back('\r');
                        break;
                    case 't':
                        value.push_back('\t');
                        break;
                    case 'a':
                        value.push_back('\b');  // right-aligns the rest of a menu text
                        break;
                    case '\\':
                    case '"':
                        value.push_back(e);
                        break;
                    default:
                        throw ScriptError(where, std::string("unknown escape \\") + e + " in a string");
                    }
                    continue;
                }
                value.push_back(c);
            }
            if (!closed) throw ScriptError(where, "string not closed on its line");
            tokens.push_back(Token{TokenKind::String, value, 0, where});
        } else if (std::string("{},|()+-~*/&!<>=").find(ch) != std::string::npos) {
            std::string op(1, ch);
            if (i + 1 < text.size()) {
                std::string two = text.substr(i, 2);
                if (two == "&&" || two == "||" || two == "==" || two == "!=" || two == "<=" || two == ">=") op = two;
            }
            i += op.size();
            tokens.push_back(Token{TokenKind::Punct, op, 0, where});
        } else {
            throw ScriptError(where, std::string("unexpected character '") + ch + "'");
        }
    }
    return tokens;
}

bool Preprocessor::fillLine() {
    while (!sources_.empty()) {
        Source& source = sources_.back();
        if (source.line >= source.lines.size()) {
            if (conditionals_.size() != source.conditionalDepth)
                throw ScriptError(Location{source.file, static_cast<int>(source.lines.size())}, "#if without #endif");
            sources_.pop_back();
            continue;
        }
        Location where{source.file, static_cast<int>(source.line) + 1};
        std::string line = source.lines[source.line++];
        std::string stripped = trim(line);
        if (!inComment_ && !stripped.empty() && stripped[0] == '#') {
            // A directive may go on over lines that end with a backslash.
            while (!stripped.empty() && stripped.back() == '\\' && source.line < source.lines.size()) {
                stripped.pop_back();
                stripped += " " + trim(source.lines[source.line++]);
            }
            directive(stripped.substr(1), where);
            continue;
        }
        if (!active() || source.headerOnly) {
            // Comments still open and close in skipped text.
            bool comment = inComment_;
            try {
                lex(line, where, comment);
            } catch (const ScriptError&) {
            }
            inComment_ = comment;
            continue;
        }
        std::vector<Token> tokens = lex(line, where, inComment_);
        pending_.insert(pending_.end(), tokens.begin(), tokens.end());
        if (!pending_.empty()) return true;
    }
    return false;
}

void Preprocessor::directive(const std::string& text, const Location& where) {
    std::string body = trim(text);
    std::size_t nameEnd = 0;
    while (nameEnd < body.size() && identifierChar(body[nameEnd])) ++nameEnd;
    std::string name = body.substr(0, nameEnd);
    std::string rest = trim(body.substr(nameEnd));
    // Drop a trailing comment from the directive's text.
    bool comment = false;
    if (auto slash = rest.find("//"); slash != std::string::npos && rest.find('"') == std::string::npos)
        rest = trim(rest.substr(0, slash));
    if (auto open = rest.find("/*"); open != std::string::npos && rest.find('"') == std::string::npos) {
        auto close = rest.find("*/", open);
        if (close == std::string::npos) {
            comment = true;
            rest = trim(rest.substr(0, open));
        } else {
            rest = trim(rest.substr(0, open) + " " + rest.substr(close + 2));
        }
    }

    if (name == "ifdef" || name == "ifndef") {
        bool defined = defines_.count(rest) > 0;
        bool take = active() && (name == "ifdef" ? defined : !defined);
        conditionals_.push_back({take, take, active()});
    } else if (name == "if") {
        bool take = active() && evaluate(lex(rest, where, comment), where) != 0;
        conditionals_.push_back({take, take, active()});
    } else if (name == "elif") {
        if (conditionals_.empty()) throw ScriptError(where, "#elif without #if");
        Conditional& c = conditionals_.back();
        bool take = c.parentActive && !c.taken && evaluate(lex(rest, where, comment), where) != 0;
        c.active = take;
        c.taken = c.taken || take;
    } else if (name == "else") {
        if (conditionals_.empty()) throw ScriptError(where, "#else without #if");
        Conditional& c = conditionals_.back();
        c.active = c.parentActive && !c.taken;
        c.taken = true;
    } else if (name == "endif") {
        if (conditionals_.size() <= sources_.back().conditionalDepth) throw ScriptError(where, "#endif without #if");
        conditionals_.pop_back();
    } else if (!active()) {
        // Other directives in a branch not taken are not looked at.
    } else if (name == "define") {
        std::size_t end = 0;
        while (end < rest.size() && identifierChar(rest[end])) ++end;
        if (end == 0) throw ScriptError(where, "#define without a name");
        // Function-like macros are not used by resource scripts; a header may hold some.
        if (end < rest.size() && rest[end] == '(') return;
        defines_[rest.substr(0, end)] = trim(rest.substr(end));
    } else if (name == "undef") {
        defines_.erase(rest);
    } else if (name == "include") {
        if (rest.size() < 2 || !((rest.front() == '"' && rest.back() == '"') || (rest.front() == '<' && rest.back() == '>')))
            throw ScriptError(where, "#include needs a file name in quotes or angle brackets");
        open(findFile(rest.substr(1, rest.size() - 2), where), where);
    } else if (name == "pragma" || name == "line" || name.empty()) {
        // Nothing to do for a resource script.
    } else if (name == "error") {
        throw ScriptError(where, "#error " + rest);
    } else {
        throw ScriptError(where, "unknown directive #" + name);
    }
    inComment_ = inComment_ || comment;
}

// Evaluates the expression of #if: numbers, defined NAME, #define'd names (others are 0),
// ! ~ - unary, * / + - < > <= >= == != & | && || and parentheses.
std::int64_t Preprocessor::evaluate(std::vector<Token> tokens, const Location& where) {
    // Replace defined(NAME) and names first.
    std::vector<Token> expanded;
    for (std::size_t i = 0; i < tokens.size(); ++i) {
        const Token& t = tokens[i];
        if (t.kind == TokenKind::Identifier && t.text == "defined") {
            bool paren = i + 1 < tokens.size() && tokens[i + 1].isPunct("(");
            std::size_t at = i + (paren ? 2 : 1);
            if (at >= tokens.size() || tokens[at].kind != TokenKind::Identifier)
                throw ScriptError(where, "defined needs a name");
            expanded.push_back(Token{TokenKind::Number, "", defines_.count(tokens[at].text) ? 1 : 0, where});
            i = at + (paren ? 1 : 0);
        } else if (t.kind == TokenKind::Identifier) {
            int depth = 0;
            std::vector<Token> value{t};
            while (value.size() == 1 && value[0].kind == TokenKind::Identifier && defines_.count(value[0].text) &&
                   depth++ < 32) {
                bool comment = false;
                value = lex(defines_[value[0].text], where, comment);
            }
            for (Token& v : value)
                expanded.push_back(v.kind == TokenKind::Identifier ? Token{TokenKind::Number, "", 0, where} : v);
        } else {
            expanded.push_back(t);
        }
    }
    std::size_t pos = 0;
    auto peekOp = [&]() -> std::string {
        return pos < expanded.size() && expanded[pos].kind == TokenKind::Punct ? expanded[pos].text : "";
    };
    std::function<std::int64_t(int)> binary;
    std::function<std::int64_t()> unary = [&]() -> std::int64_t {
        if (pos >= expanded.size()) throw ScriptError(where, "#if expression ends too early");
        Token t = expanded[pos++];
        if (t.kind == TokenKind::Number) return t.number;
        if (t.isPunct("!")) return !unary();
        if (t.isPunct("~")) return ~unary();
        if (t.isPunct("-")) return -unary();
        if (t.isPunct("(")) {
            std::int64_t v = binary(0);
            if (peekOp() != ")") throw ScriptError(where, "missing ) in #if expression");
            ++pos;
            return v;
        }
        throw ScriptError(where, "unexpected " + describe(t) + " in #if expression");
    };
    static const std::vector<std::vector<std::string>> levels = {
        {"||"}, {"&&"}, {"|"}, {"&"}, {"==", "!="}, {"<", ">", "<=", ">="}, {"+", "-"}, {"*", "/"}};
    binary = [&](int level) -> std::int64_t {
        if (level >= static_cast<int>(levels.size())) return unary();
        std::int64_t left = binary(level + 1);
        while (true) {
            std::string op = peekOp();
            const auto& ops = levels[static_cast<std::size_t>(level)];
            if (std::find(ops.begin(), ops.end(), op) == ops.end()) return left;
            ++pos;
            std::int64_t right = binary(level + 1);
            if (op == "||") left = left || right;
            else if (op == "&&") left = left && right;
            else if (op == "|") left |= right;
            else if (op == "&") left &= right;
            else if (op == "==") left = left == right;
            else if (op == "!=") left = left != right;
            else if (op == "<") left = left < right;
            else if (op == ">") left = left > right;
            else if (op == "<=") left = left <= right;
            else if (op == ">=") left = left >= right;
            else if (op == "+") left += right;
            else if (op == "-") left -= right;
            else if (op == "*") left *= right;
            else if (right == 0) throw ScriptError(where, "division by zero in #if expression");
            else left /= right;
        }
    };
    std::int64_t value = binary(0);
    if (pos != expanded.size()) throw ScriptError(where, "unexpected " + describe(expanded[pos]) + " in #if expression");
    return value;
}

Token Preprocessor::rawNext() {
    if (pending_.empty() && !fillLine()) {
        Location end = sources_.empty() ? Location{} : Location{sources_.back().file, 0};
        return Token{TokenKind::End, "", 0, end};
    }
    Token t = pending_.front();
    pending_.pop_front();
    return t;
}

Token Preprocessor::next() {
    if (!peeked_.empty()) {
        Token t = peeked_.front();
        peeked_.pop_front();
        return t;
    }
    for (int expansions = 0;; ++expansions) {
        Token t = rawNext();
        auto found = t.kind == TokenKind::Identifier ? defines_.find(t.text) : defines_.end();
        if (found == defines_.end()) return t;
        if (expansions > 64) throw ScriptError(t.where, "#define of " + t.text + " refers to itself");
        bool comment = false;
        std::vector<Token> value = lex(found->second, t.where, comment);
        pending_.insert(pending_.begin(), value.begin(), value.end());
    }
}

const Token& Preprocessor::peek() {
    if (peeked_.empty()) peeked_.push_back(next());
    return peeked_.front();
}

}  // namespace platform::rc
