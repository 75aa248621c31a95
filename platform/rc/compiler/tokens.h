// Tokens of a resource script, and the error that names where a script is wrong.
#pragma once

#include <cstdint>
#include <filesystem>
#include <stdexcept>
#include <string>

namespace platform::rc {

struct Location {
    std::filesystem::path file;
    int line = 0;
};

// "FILE:LINE: WHAT".
class ScriptError : public std::runtime_error {
public:
    ScriptError(const Location& where, const std::string& what)
        : std::runtime_error(where.file.string() + ":" + std::to_string(where.line) + ": " + what) {}
};

enum class TokenKind { Identifier, Number, String, Punct, End };

struct Token {
    TokenKind kind = TokenKind::End;
    std::string text;          // identifier or punctuation as written; a string's value (UTF-8)
    std::int64_t number = 0;   // a number's value
    Location where;

    bool is(TokenKind k, const char* t) const { return kind == k && text == t; }
    bool isPunct(const char* t) const { return is(TokenKind::Punct, t); }
    // Keywords are matched without regard to case.
    bool isKeyword(const char* word) const;
};

std::string describe(const Token& token);

}  // namespace platform::rc
