#include "registry/regedit_text.h"

#include "win/registry.h"

#include <gtest/gtest.h>

#include <string>

using namespace platform::registry;

namespace {

const std::filesystem::path kFile = "/pc/registry.reg";

Value value(const Tree& tree, std::string name, DWORD type, std::string data) {
    Value v;
    v.folded = tree.fold(name);
    v.name = std::move(name);
    v.type = type;
    v.data = std::move(data);
    return v;
}

std::string sz(const std::string& text) { return text + '\0'; }

TEST(RegeditText, WritesTheRegedit4Form) {
    Tree tree(949);
    bool created = false;
    Key& vendor = tree.create(2, {"Software", "Vendor"}, created);
    vendor.setValue(value(tree, "Path", REG_SZ, sz("C:\\PLAYER \"new\"")));
    vendor.setValue(value(tree, "", REG_SZ, sz("default")));
    vendor.setValue(value(tree, "Count", REG_DWORD, std::string("\x0a\x01\x00\x00", 4)));
    tree.create(1, {"Empty"}, created);

    EXPECT_EQ(formatRegistry(tree),
              "REGEDIT4\r\n\r\n"
              "[HKEY_CURRENT_USER\\Empty]\r\n\r\n"
              "[HKEY_LOCAL_MACHINE\\Software]\r\n\r\n"
              "[HKEY_LOCAL_MACHINE\\Software\\Vendor]\r\n"
              "@=\"default\"\r\n"
              "\"Path\"=\"C:\\\\PLAYER \\\"new\\\"\"\r\n"
              "\"Count\"=dword:0000010a\r\n\r\n");
}

TEST(RegeditText, EveryValueSurvivesARoundTrip) {
    struct Case {
        const char* what;
        DWORD type;
        std::string data;
    };
    const Case cases[] = {
        {"plain text", REG_SZ, sz("text")},
        {"escapes", REG_SZ, sz("a\\b\"c\\\\")},
        {"empty text", REG_SZ, sz("")},
        {"Korean text", REG_SZ, sz("\xC7\xD1\xB1\xDB")},
        {"no terminating zero", REG_SZ, "abc"},
        {"no data at all", REG_SZ, ""},
        {"zero inside", REG_SZ, std::string("a\0b\0", 4)},
        {"line break inside", REG_SZ, sz("one\r\ntwo")},
        {"dword", REG_DWORD, std::string("\xff\x00\x10\x80", 4)},
        {"short dword", REG_DWORD, "\x01"},
        {"binary", REG_BINARY, std::string("\x00\xff\x7f", 3)},
        {"multi string", REG_MULTI_SZ, std::string("a\0b\0\0", 5)},
        {"unknown type", 0x1234, "xyz"},
    };
    for (const Case& c : cases) {
        Tree tree(949);
        bool created = false;
        tree.create(2, {"K"}, created).setValue(value(tree, "V", c.type, c.data));
        std::string text = formatRegistry(tree);
        Tree back = parseRegistry(text, 949, kFile);
        const Key* key = back.find(2, {"k"});
        ASSERT_NE(key, nullptr) << c.what;
        const Value* v = key->value(back.fold("v"));
        ASSERT_NE(v, nullptr) << c.what;
        EXPECT_EQ(v->type, c.type) << c.what;
        EXPECT_EQ(v->data, c.data) << c.what << "\n" << text;
        EXPECT_EQ(formatRegistry(back), text) << c.what;
    }
}

TEST(RegeditText, ReadsWhatAPersonMayWrite) {
    const std::string text =
        "REGEDIT4\n"
        "\n"
        "; a comment\n"
        "  [hkey_local_machine\\Software\\A]  \n"
        "\"X\"=\"1\"\n"
        "\"Bytes\"=hex:01, 02,\\\n"
        "  03\n"
        "[HKEY_LOCAL_MACHINE\\SOFTWARE\\a]\n"
        "\"x\"=\"2\"\n";
    Tree tree = parseRegistry(text, 949, kFile);
    const Key* a = tree.find(2, {"software", "A"});
    ASSERT_NE(a, nullptr);
    EXPECT_EQ(a->name(), "A");
    ASSERT_EQ(a->values().size(), 2u) << "the second section of the same key adds to the first";
    EXPECT_EQ(a->value(tree.fold("X"))->data, sz("2"));
    EXPECT_EQ(a->value(tree.fold("BYTES"))->data, "\x01\x02\x03");
    EXPECT_TRUE(parseRegistry("", 949, kFile).root(2).children().empty()) << "an empty file is an empty registry";
}

TEST(RegeditText, MalformedFilesAreRefusedWithFileAndLine) {
    struct Case {
        std::string body;  // after the header line
        int line;
        std::string says;
    };
    const Case cases[] = {
        {"\"a\"=\"b\"", 3, "before the first [key]"},
        {"[HKEY_NOWHERE\\A]", 3, "unknown root key \"HKEY_NOWHERE\""},
        {"[HKEY_LOCAL_MACHINE\\A", 3, "closing ]"},
        {"[HKEY_LOCAL_MACHINE\\\\A]", 3, "bad key name"},
        {"[HKEY_LOCAL_MACHINE\\]", 3, "bad key name"},
        {"[-HKEY_LOCAL_MACHINE\\A]", 3, "key deletion"},
        {"[HKEY_USERS\\A]\r\n\"a\"=\"b", 4, "closing quote"},
        {"[HKEY_USERS\\A]\r\n\"a\"=\"b\\n\"", 4, "backslash"},
        {"[HKEY_USERS\\A]\r\n\"a\"=\"b\" x", 4, "after the closing quote"},
        {"[HKEY_USERS\\A]\r\n\"a\"=dword:123", 4, "eight hex digits"},
        {"[HKEY_USERS\\A]\r\n\r\n\"a\"=hex:01,1g", 5, "\"1g\" is not a hex byte"},
        {"[HKEY_USERS\\A]\r\n\"a\"=hex:01,", 4, "ends in a comma"},
        {"[HKEY_USERS\\A]\r\n\"a\"=hex(x):01", 4, "hex("},
        {"[HKEY_USERS\\A]\r\n\"a\"=hex:01,\\", 4, "past the end"},
        {"[HKEY_USERS\\A]\r\n\"a\" \"b\"", 4, "expected ="},
        {"[HKEY_USERS\\A]\r\n\"a\"=12", 4, "neither \"text\""},
        {"garbage", 3, "neither a [key]"},
    };
    for (const Case& c : cases) {
        std::string text = "REGEDIT4\r\n\r\n" + c.body + "\r\n";
        try {
            parseRegistry(text, 949, kFile);
            ADD_FAILURE() << "accepted: " << c.body;
        } catch (const RegistryFileError& e) {
            std::string message = e.what();
            EXPECT_EQ(message.rfind("/pc/registry.reg:" + std::to_string(c.line) + ": ", 0), 0u) << message;
            EXPECT_NE(message.find(c.says), std::string::npos) << message;
        }
    }
    EXPECT_THROW(parseRegistry("REGEDIT5\r\n", 949, kFile), RegistryFileError);
    EXPECT_THROW(parseRegistry("[HKEY_USERS\\A]\r\n", 949, kFile), RegistryFileError) << "no header line";
}

}  // namespace
