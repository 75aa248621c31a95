#include "win/codepage.h"
#include "win/kernel.h"

#include "codepage/code_page.h"
#include "kernel/testing/test_pc.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using platform::testing::TestPc;

namespace {

// Korean text in code page 949. "\x8C\x63" has an ASCII letter ('c') as its trail byte.
const std::string kGa = "\xB0\xA1";      // 가
const std::string kNa = "\xB3\xAA";      // 나
const std::string kDdom = "\x8C\x63";    // 똠
const std::string kHangul = "\xC7\xD1\xB1\xDB";  // 한글

platform::PcOptions pageOptions(int codePage) {
    platform::PcOptions o;
    o.codePage = codePage;
    return o;
}

int sign(int v) { return (v > 0) - (v < 0); }

TEST(CodePages, PcCodePagesAreReported) {
    {
        TestPc pc(pageOptions(949));
        EXPECT_EQ(GetACP(), 949u);
        EXPECT_EQ(GetOEMCP(), 949u);
    }
    TestPc pc(pageOptions(1252));
    EXPECT_EQ(GetACP(), 1252u);
    EXPECT_EQ(GetOEMCP(), 437u);
}

TEST(CodePages, LeadBytes) {
    struct Case {
        int codePage;
        UINT askedPage;
        BYTE byte;
        BOOL lead;
    };
    const Case cases[] = {
        {949, CP_ACP, 0x81, TRUE},   {949, CP_ACP, 0xFE, TRUE},  {949, CP_ACP, 0x80, FALSE},
        {949, CP_ACP, 0xFF, FALSE},  {949, CP_ACP, 'A', FALSE},  {949, CP_OEMCP, 0xB0, TRUE},
        {949, 1252, 0xB0, FALSE},    {1252, CP_ACP, 0xB0, FALSE}, {1252, CP_OEMCP, 0xB0, FALSE},
        {1252, 949, 0xB0, TRUE},
    };
    for (const Case& c : cases) {
        TestPc pc(pageOptions(c.codePage));
        EXPECT_EQ(IsDBCSLeadByteEx(c.askedPage, c.byte), c.lead)
            << "PC " << c.codePage << " page " << c.askedPage << " byte " << int(c.byte);
        if (c.askedPage == CP_ACP) {
            EXPECT_EQ(IsDBCSLeadByte(c.byte), c.lead);
        }
    }
}

TEST(CodePages, UnknownCodePageIsRefused) {
    TestPc pc;
    SetLastError(0);
    EXPECT_FALSE(IsDBCSLeadByteEx(932, 0x81));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
}

TEST(CodePages, KoreanStringIsWalkedByCharacters) {
    TestPc pc(pageOptions(949));
    // A, 가, 똠, b, 나, then a lead byte cut off by the end of the string.
    const std::string text = "A" + kGa + kDdom + "b" + kNa + "\xB0";
    const std::vector<std::size_t> starts = {0, 1, 3, 5, 6, 8, 9};
    const char* s = text.c_str();

    std::vector<std::size_t> forward;
    for (const char* p = s;; p = CharNextA(p)) {
        forward.push_back(static_cast<std::size_t>(p - s));
        if (*p == '\0') break;
    }
    EXPECT_EQ(forward, starts);
    EXPECT_EQ(CharNextA(s + text.size()), s + text.size()) << "the end stays the end";

    std::vector<std::size_t> backward;
    for (const char* p = s + text.size(); p != s;) {
        p = CharPrevA(s, p);
        backward.insert(backward.begin(), static_cast<std::size_t>(p - s));
    }
    EXPECT_EQ(backward, std::vector<std::size_t>(starts.begin(), starts.end() - 1));
    EXPECT_EQ(CharPrevA(s, s), s);
    EXPECT_EQ(CharPrevA(s, s + 4), s + 3) << "from inside 똠 back to its lead byte";
}

TEST(CodePages, SingleByteStringIsWalkedByBytes) {
    TestPc pc(pageOptions(1252));
    const std::string text = "\xB0\xA1z";
    EXPECT_EQ(CharNextA(text.c_str()), text.c_str() + 1);
    EXPECT_EQ(CharPrevA(text.c_str(), text.c_str() + 2), text.c_str() + 1);
}

TEST(CodePages, CaseOfStrings) {
    struct Case {
        int codePage;
        std::string text;
        std::string upper;
        std::string lower;
    };
    const Case cases[] = {
        {949, "abc" + kGa + "XyZ", "ABC" + kGa + "XYZ", "abc" + kGa + "xyz"},
        {949, kDdom + "c" + kDdom, kDdom + "C" + kDdom, kDdom + "c" + kDdom},  // trail 'c' untouched
        {949, "a\xB0", "A\xB0", "a\xB0"},
        {949, "\xE9\xC9", "\xE9\xC9", "\xE9\xC9"},  // lead bytes, not Latin-1 letters
        {1252, "caf\xE9 \xC0", "CAF\xC9 \xC0", "caf\xE9 \xE0"},
        {1252, "\xFF\x9A\xDF\xF7\xD7", "\x9F\x8A\xDF\xF7\xD7", "\xFF\x9A\xDF\xF7\xD7"},
        {1252, "1+[]_", "1+[]_", "1+[]_"},
    };
    for (const Case& c : cases) {
        TestPc pc(pageOptions(c.codePage));
        std::string upper = c.text, lower = c.text;
        EXPECT_EQ(CharUpperA(upper.data()), upper.data());
        EXPECT_EQ(upper, c.upper) << c.codePage << " " << c.text;
        EXPECT_EQ(CharLowerA(lower.data()), lower.data());
        EXPECT_EQ(lower, c.lower) << c.codePage << " " << c.text;
        EXPECT_EQ(platform::codepage::folded(c.text, c.codePage), c.upper);
    }
}

TEST(CodePages, CaseOfSingleCharacters) {
    struct Case {
        int codePage;
        BYTE in;
        BYTE upper;
        BYTE lower;
    };
    const Case cases[] = {
        {949, 'a', 'A', 'a'}, {949, 'Q', 'Q', 'q'}, {949, 0xE9, 0xE9, 0xE9},
        {1252, 0xE9, 0xC9, 0xE9}, {1252, 0xC9, 0xC9, 0xE9}, {1252, '5', '5', '5'},
    };
    auto asPointer = [](BYTE c) { return reinterpret_cast<LPSTR>(static_cast<ULONG_PTR>(c)); };
    for (const Case& c : cases) {
        TestPc pc(pageOptions(c.codePage));
        EXPECT_EQ(CharUpperA(asPointer(c.in)), asPointer(c.upper)) << int(c.in);
        EXPECT_EQ(CharLowerA(asPointer(c.in)), asPointer(c.lower)) << int(c.in);
    }
}

TEST(CodePages, Comparison) {
    struct Case {
        int codePage;
        const char* a;
        const char* b;
        int caseSensitive;  // sign of lstrcmpA
        int ignoringCase;   // sign of lstrcmpiA
    };
    const std::string gaNa[] = {kGa, kNa};
    const Case cases[] = {
        {949, "abc", "abc", 0, 0},
        {949, "abc", "ABC", -1, 0},       // lower case first, only as the last word
        {949, "a", "B", -1, -1},          // alphabet before case (bytes would say 'a' > 'B')
        {949, "Z", "a", 1, 1},
        {949, "ab", "abc", -1, -1},
        {949, "_x", "1", -1, -1},         // symbols, then digits, then letters
        {949, "9", "a", -1, -1},
        {949, "co-op", "coo", 1, 1},      // the hyphen does not count until the end
        {949, "co-op", "coop", -1, -1},
        {949, "it's", "its", -1, -1},
        {949, gaNa[0].c_str(), gaNa[1].c_str(), -1, -1},
        {949, "z", gaNa[0].c_str(), -1, -1},
        {949, "HKEY_LOCAL_MACHINE", "hkey_local_machine", 1, 0},
        {1252, "\xE9", "f", -1, -1},     // é sorts with e
        {1252, "e", "\xE9", -1, -1},
        {1252, "\xC9", "\xE9", 1, 0},
        {1252, "\xE9z", "ez", 1, 1},     // the accent decides only when the letters are equal
        {949, nullptr, "", -1, -1},
        {949, nullptr, nullptr, 0, 0},
    };
    for (const Case& c : cases) {
        TestPc pc(pageOptions(c.codePage));
        EXPECT_EQ(sign(lstrcmpA(c.a, c.b)), c.caseSensitive) << (c.a ? c.a : "NULL") << " / " << (c.b ? c.b : "NULL");
        EXPECT_EQ(sign(lstrcmpA(c.b, c.a)), -c.caseSensitive);
        EXPECT_EQ(sign(lstrcmpiA(c.a, c.b)), c.ignoringCase) << (c.a ? c.a : "NULL") << " / " << (c.b ? c.b : "NULL");
        EXPECT_EQ(sign(lstrcmpiA(c.b, c.a)), -c.ignoringCase);
    }
}

TEST(CodePages, CopyAndConcatenate) {
    struct Case {
        const char* source;
        int max;
        std::string result;
    };
    const Case cases[] = {
        {"hello", 3, "he"}, {"hi", 10, "hi"}, {"hi", 3, "hi"}, {"hi", 1, ""}, {"hi", 0, "#####"},
        {"", 4, ""},
    };
    for (const Case& c : cases) {
        char buffer[6] = "#####";
        EXPECT_EQ(lstrcpynA(buffer, c.source, c.max), buffer);
        EXPECT_EQ(std::string(buffer), c.result) << c.source << " " << c.max;
    }

    char buffer[16] = "";
    EXPECT_EQ(lstrcpyA(buffer, "ab"), buffer);
    EXPECT_EQ(lstrcatA(buffer, "cd"), buffer);
    EXPECT_STREQ(buffer, "abcd");
    EXPECT_EQ(lstrlenA(buffer), 4);
    EXPECT_EQ(lstrlenA(nullptr), 0);
    EXPECT_EQ(lstrcpyA(nullptr, "x"), nullptr);
    EXPECT_EQ(lstrcatA(buffer, nullptr), nullptr);
}

TEST(CodePages, OemAndAnsi) {
    struct Case {
        int codePage;
        std::string oem;
        std::string ansi;
    };
    const Case cases[] = {
        {949, "C:\\" + kHangul + "\\A.TXT", "C:\\" + kHangul + "\\A.TXT"},
        {1252, "caf\x82 \x8E", "caf\xE9 \xC4"},
        {1252, "plain", "plain"},
    };
    for (const Case& c : cases) {
        TestPc pc(pageOptions(c.codePage));
        char buffer[64];
        ASSERT_TRUE(OemToCharA(c.oem.c_str(), buffer));
        EXPECT_EQ(std::string(buffer), c.ansi);
        ASSERT_TRUE(CharToOemA(c.ansi.c_str(), buffer));
        EXPECT_EQ(std::string(buffer), c.oem);
        std::string inPlace = c.oem;
        ASSERT_TRUE(OemToCharA(inPlace.data(), inPlace.data()));
        EXPECT_EQ(inPlace, c.ansi);
    }
}

TEST(CodePages, OemConversionNeverGrowsTheText) {
    TestPc pc(pageOptions(1252));
    // The euro sign of 1252 has no place in the OEM page: one '?' for one byte.
    std::string text = "\x80x";
    ASSERT_TRUE(CharToOemA(text.data(), text.data()));
    EXPECT_EQ(text, "?x");
    EXPECT_FALSE(OemToCharA(nullptr, text.data()));
}

}  // namespace
