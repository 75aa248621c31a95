// Reads a resource script as tokens: comments dropped, #include followed, #define'd names
// replaced, #if/#ifdef/#ifndef/#else/#endif obeyed. Included C headers (.h, .c) contribute
// their preprocessor lines only, so a header of #defines shared with the program can be used.
#pragma once

#include <deque>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "rc/compiler/tokens.h"

namespace platform::rc {

class Preprocessor {
public:
    Preprocessor(const std::filesystem::path& script, std::vector<std::filesystem::path> includeDirs);

    // The next token after macro replacement; TokenKind::End at the end of the script.
    Token next();
    const Token& peek();
    // Finds a file named by the script (icon, bitmap), relative to the including file first.
    std::filesystem::path findFile(const std::string& name, const Location& where) const;
    // Every script and header opened so far.
    const std::vector<std::filesystem::path>& filesRead() const { return filesRead_; }

private:
    struct Source {
        std::filesystem::path file;
        std::vector<std::string> lines;
        std::size_t line = 0;  // index of the next line to read
        bool headerOnly = false;
        std::size_t conditionalDepth = 0;
    };
    struct Conditional {
        bool active;      // this branch is taken
        bool taken;       // some branch of this #if was taken
        bool parentActive;
    };

    bool active() const { return conditionals_.empty() || conditionals_.back().active; }
    void open(const std::filesystem::path& file, const Location& from);
    bool fillLine();  // lexes the next script line into pending_; false at the end
    void directive(const std::string& text, const Location& where);
    std::int64_t evaluate(std::vector<Token> tokens, const Location& where);
    std::vector<Token> lex(const std::string& text, const Location& where, bool& inComment);
    Token rawNext();

    std::vector<std::filesystem::path> includeDirs_;
    std::vector<Source> sources_;
    std::vector<Conditional> conditionals_;
    std::map<std::string, std::string> defines_;
    std::deque<Token> pending_;
    std::deque<Token> peeked_;
    bool inComment_ = false;
    std::vector<std::filesystem::path> filesRead_;
};

}  // namespace platform::rc
