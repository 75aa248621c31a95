// The compiler's handling of script text, and the errors that name what is wrong where.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "rc/compiler/script.h"
#include "rc/templates.h"
#include "win/styles.h"
#include "win/types.h"

#include <unistd.h>

namespace platform::rc {
namespace {

class Scripts : public ::testing::Test {
protected:
    void SetUp() override {
        dir_ = std::filesystem::path(::testing::TempDir()) / ("kit_rc_" + std::to_string(::getpid()));
        std::filesystem::create_directories(dir_);
    }
    void TearDown() override { std::filesystem::remove_all(dir_); }

    std::filesystem::path write(const std::string& name, const std::string& text) {
        std::ofstream(dir_ / name, std::ios::binary) << text;
        return dir_ / name;
    }
    CompiledScript compile(const std::string& text) {
        return compileScript(write("test.rc", text), CompileOptions{{std::filesystem::path(KIT_SOURCE_DIR) / "platform/include"}});
    }
    std::string error(const std::string& text) {
        try {
            compile(text);
        } catch (const ScriptError& e) {
            return e.what();
        }
        return "(no error)";
    }

    std::filesystem::path dir_;
};

TEST_F(Scripts, FaultsAreReportedWithFileLineAndWhat) {
    write("bad.ico", "not an icon");
    struct Case {
        const char* script;
        const char* message;  // expected after "test.rc:"
    } cases[] = {
        {"A DIALOG 0, 0, 10, 10\nBEGIN\n  LTEXTT \"x\", 1, 0, 0, 1, 1\nEND\n", "3: unknown control 'LTEXTT'"},
        {"A DIALOG 0, 0, 10 10\nBEGIN\nEND\n", "1: expected ','"},
        {"A DIALOG 0, 0, 10, 10\nSTYLE WS_POPUPP\nBEGIN\nEND\n", "2: unknown name WS_POPUPP"},
        {"A DIALOG 0, 0, 10, 10\nCAPTION \"open\nBEGIN\nEND\n", "2: string not closed"},
        {"A ICON \"missing.ico\"\n", "1: cannot find file missing.ico"},
        {"A ICON \"bad.ico\"\n", "1: " },
        {"A DIALOG 0,0,1,1\nBEGIN\nEND\na DIALOG 0,0,1,1\nBEGIN\nEND\n", "4: resource A is defined twice"},
        {"#endif\n", "1: #endif without #if"},
        {"#ifdef X\nA DIALOG 0,0,1,1\n", "2: #if without #endif"},
        {"A DIALOG 0,0,1,1\nCAPTION \"\xC0\xAF\"\nBEGIN\nEND\n", "2: text is not UTF-8"},
        {"A DIALOG 0, 0, 70000, 10\nBEGIN\nEND\n", "1: value 70000 does not fit a dialog unit"},
        {"A STRINGTABLE\n", "1: unknown or unsupported resource type 'STRINGTABLE'"},
        {"#define LOOP LOOP\nLOOP DIALOG 0,0,1,1\n", "2: #define of LOOP refers to itself"},
        {"A MENU\nBEGIN\n  MENUITEM \"x\"\nEND\n", "4: expected ','"},
    };
    for (const Case& c : cases) {
        std::string message = error(c.script);
        EXPECT_NE(message.find("test.rc:" + std::string(c.message)), std::string::npos)
            << c.script << "\n  gave: " << message;
    }
}

TEST_F(Scripts, PreprocessorFollowsConditionsAndDefinitions) {
    write("ids.h", "#pragma once\nint notResourceText(void);\n#define BASE 100\n#define NEXT (BASE + 1)\n"
                   "#define STYLE_OF(x) x\n");
    CompiledScript compiled = compile(
        "#include \"ids.h\"\n#include \"win/styles.h\"\n"
        "/* a comment\n   over lines */\n"
        "#if defined(BASE) && BASE > 50\nNEXT DIALOG 0, 0, 10, 10 // numbered\n#else\nWRONG DIALOG 0,0,1,1\n#endif\n"
        "STYLE WS_POPUP | WS_CAPTION | NOT WS_BORDER\nBEGIN\n"
        "  EDITTEXT BASE, 1, 2, 3, 4, NOT WS_TABSTOP | ES_READONLY\nEND\n"
        "#ifndef BASE\nWRONG2 DIALOG 0,0,1,1\nBEGIN\nEND\n#endif\n");
    ASSERT_EQ(compiled.resources.size(), 1u);
    const Resource& r = compiled.resources[0];
    EXPECT_EQ(r.name, ResourceId::of(101));
    std::string error;
    auto dialog = parseDialogTemplate(r.data, 1252, error);
    ASSERT_TRUE(dialog) << error;
    // NOT takes away what stands before it: the caption's border bit goes.
    EXPECT_EQ(dialog->style, DWORD((WS_POPUP | WS_CAPTION) & ~WS_BORDER));
    ASSERT_EQ(dialog->items.size(), 1u);
    EXPECT_EQ(dialog->items[0].id, 100);
    EXPECT_EQ(dialog->items[0].style, DWORD(WS_CHILD | WS_VISIBLE | WS_BORDER | ES_READONLY));
    EXPECT_EQ(compiled.files.size(), 3u);  // the script and the two headers
}

TEST_F(Scripts, DialogWithoutStyleGetsTheDefaultStyle) {
    CompiledScript compiled = compile("A DIALOG 0,0,1,1\nCAPTION \"\"\"Quoted\"\" \\\\ text\"\nBEGIN\nEND\n");
    std::string error;
    auto dialog = parseDialogTemplate(compiled.resources.at(0).data, 1252, error);
    ASSERT_TRUE(dialog);
    EXPECT_EQ(dialog->style, DWORD(WS_POPUP | WS_BORDER | WS_SYSMENU));
    EXPECT_FALSE(dialog->hasFont);
    EXPECT_EQ(dialog->title, "\"Quoted\" \\ text");
}

TEST(Templates, CutShortDataIsRefused) {
    std::vector<BYTE> data = {0x00, 0x00, 0x00, 0x80, 0, 0, 0, 0, 1, 0};
    std::string error;
    EXPECT_FALSE(parseDialogTemplate(data, 949, error));
    EXPECT_EQ(error, "dialog template cut short");
    std::vector<BYTE> menu = {0, 0, 0, 0, 0x10, 0, 'A', 0};
    EXPECT_FALSE(parseMenuTemplate(menu, 949, error));
}

}  // namespace
}  // namespace platform::rc
