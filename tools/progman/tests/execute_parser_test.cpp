#include "execute_parser.h"

#include "kernel/testing/test_pc.h"

#include <gtest/gtest.h>

namespace progman {
namespace {

using Commands = std::vector<ExecuteCommand>;

struct ParseCase {
    const char* text;
    Commands expected;
};

class ExecuteParserTest : public ::testing::Test {
protected:
    platform::testing::TestPc pc;
};

TEST_F(ExecuteParserTest, WellFormedStrings) {
    const ParseCase cases[] = {
        {"[ExitProgman]", {{"ExitProgman", {}}}},
        {"[ExitProgman()]", {{"ExitProgman", {}}}},
        {"[CreateGroup(Tools)][AddItem(TOOL.EXE,Tool)]", {{"CreateGroup", {"Tools"}}, {"AddItem", {"TOOL.EXE", "Tool"}}}},
        {"  [ creategroup ( My Tools ) ]\r\n [DeleteItem(Remove My Tools)] ",
         {{"creategroup", {"My Tools"}}, {"DeleteItem", {"Remove My Tools"}}}},
        // A quoted argument keeps its commas, brackets and parentheses and loses its quotes.
        {"[AddItem(\"C:\\A,B\\X.EXE\",\"Name ]) [\")]", {{"AddItem", {"C:\\A,B\\X.EXE", "Name ]) ["}}}},
        // The uninstall item: a quoted program followed by its argument stays as written.
        {"[AddItem(\"C:\\WINDOWS\\_UNSETUP.EXE\" C:\\APP\\_UNSETUP.INI,Remove App,\"C:\\WINDOWS\\_UNSETUP.EXE\")]",
         {{"AddItem", {"\"C:\\WINDOWS\\_UNSETUP.EXE\" C:\\APP\\_UNSETUP.INI", "Remove App", "C:\\WINDOWS\\_UNSETUP.EXE"}}}},
        // Left-out fields are empty arguments.
        {"[AddItem(X.EXE,,,,,,C:\\WORK)]", {{"AddItem", {"X.EXE", "", "", "", "", "", "C:\\WORK"}}}},
        // A name with parentheses: the list ends at the last one.
        {"[CreateGroup(Tools (old))]", {{"CreateGroup", {"Tools (old)"}}}},
        // Code page 949: a double-byte name is kept whole.
        {"[CreateGroup(\xC7\xD1\xB1\xDB)]", {{"CreateGroup", {"\xC7\xD1\xB1\xDB"}}}},
    };
    for (const ParseCase& c : cases) {
        std::optional<Commands> parsed = parseExecute(c.text);
        ASSERT_TRUE(parsed) << c.text;
        EXPECT_EQ(*parsed, c.expected) << c.text;
    }
}

TEST_F(ExecuteParserTest, MalformedStringsAreRefused) {
    const char* cases[] = {
        "",
        "   \r\n",
        "CreateGroup(Tools)",           // no brackets
        "[CreateGroup(Tools)",          // unclosed bracket
        "[CreateGroup(Tools)] junk",    // text after a command
        "[CreateGroup(Tools]",          // unclosed parenthesis
        "[CreateGroup(\"Tools)]",       // unclosed quote
        "[(Tools)]",                    // no command name
        "[]",
        "[Create Group(Tools)]",        // blank inside the name
        "[CreateGroup(Tools) x]",       // text after the argument list
        "[CreateGroup(To\nols)]",       // a line end inside a command
    };
    for (const char* text : cases) EXPECT_FALSE(parseExecute(text)) << text;
}

}  // namespace
}  // namespace progman
