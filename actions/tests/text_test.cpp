// Field splitting, the comment-aware search and the line edits on text in memory.
#include "actions/fields.h"
#include "actions/text_edits.h"
#include "actions/text_search.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

std::vector<std::string> splitAll(const char* value)
{
    std::vector<std::string> fields;
    char field[256];
    const char* cursor = value;
    while (nextField(&cursor, field, sizeof field) > 0)
        fields.emplace_back(field);
    return fields;
}

TEST(Fields, RunsOfCommasAreOneSeparatorAndBlanksBelongToTheField)
{
    struct Case {
        const char* value;
        std::vector<std::string> fields;
    };
    const Case cases[] = {
        {"@C,,A.DLL,B.DLL", {"@C", "A.DLL", "B.DLL"}},
        {",,,WIN.INI,windows", {"WIN.INI", "windows"}},
        {"WIN.INI,,LOAD,X.EXE", {"WIN.INI", "LOAD", "X.EXE"}},
        {" a , b ", {" a ", " b "}},
        {"trailing,,", {"trailing"}},
        {"", {}},
        {",,,", {}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(splitAll(c.value), c.fields) << c.value;
}

TEST(Fields, AFieldLongerThanTheBufferIsReportedByItsLength)
{
    const char* cursor = "ABCDEFGH,next";
    char field[4];
    EXPECT_EQ(nextField(&cursor, field, sizeof field), 8u);
    EXPECT_STREQ(field, "ABC");
    EXPECT_STREQ(skipFieldSeparators(cursor), "next");
}

TEST(FindOutsideComments, FindsThePatternOnlyOutsideComments)
{
    struct Case {
        std::string text;
        const char* pattern;
        DWORD expected;  // text size when not found
    };
    const Case cases[] = {
        {"FILES=40\r\ndevice=c:\\player\\mpeg.sys\r\n", "DEVICE=C:\\PLAYER\\MPEG.SYS", 10},
        {"DEVICE=C:\\PLAYER\\MPEG.SYS /X\r\n", "DEVICE=C:\\PLAYER\\MPEG.SYS", 0},
        {"PATH C:\\WINDOWS;C:\\PLAYER\r\n", "C:\\PLAYER", 27},
        {"SET A=PREMIUM C:\\PLAYER\r\n", "C:\\PLAYER", 25},
        {"REM C:\\PLAYER\r\nC:\\PLAYER\r\n", "C:\\PLAYER", 15},
        {"; C:\\PLAYER\r\nC:\\PLAYER", "C:\\PLAYER", 13},
        // A comment line ended by LF alone: the next line is searched from its first character.
        {"; x\nAB", "AB", 4},
        {"rem x\r\nAB", "AB", 7},
        // A comment that runs to the end of the text ends the search.
        {"AB; CD", "CD", 6},
        // The match must lie wholly inside the text.
        {"XYZAB", "ABC", 5},
        {"", "A", 0},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(findOutsideComments(c.text.data(), static_cast<DWORD>(c.text.size()), c.pattern),
                  c.expected)
            << c.text;
    }
}

TEST(FindOutsideComments, SearchesOnlyTheGivenLength)
{
    const char text[] = "ABCD";
    EXPECT_EQ(findOutsideComments(text, 3, "CD"), 3u);
}

TEST(SameTextIgnoringCase, ComparesWholeTexts)
{
    EXPECT_TRUE(sameTextIgnoringCase("KOR", "kor"));
    EXPECT_FALSE(sameTextIgnoringCase("kor1", "kor"));
    EXPECT_FALSE(sameTextIgnoringCase("ko", "kor"));
}

const char kDriver[] = "DEVICE=C:\\PLAYER\\MPEG.SYS";

TEST(ConfigSysWithLine, AddsTheLineAsTheFirstLineOfTheCommonBlock)
{
    struct Case {
        std::string before;
        std::string after;  // empty: nothing to add
    };
    const Case cases[] = {
        {"FILES=40\r\n", "FILES=40\r\n\r\n[COMMON]\r\nDEVICE=C:\\PLAYER\\MPEG.SYS"},
        {"[common]\r\nFILES=40\r\n", "[COMMON]\r\nDEVICE=C:\\PLAYER\\MPEG.SYS\r\nFILES=40\r\n"},
        {"", "\r\n[COMMON]\r\nDEVICE=C:\\PLAYER\\MPEG.SYS"},
        // Already there: in another case, or as part of a longer line.
        {"device=c:\\player\\mpeg.sys\r\n", ""},
        {"DEVICE=C:\\PLAYER\\MPEG.SYS /D:2\r\n", ""},
        // Only in comments: added.
        {"REM DEVICE=C:\\PLAYER\\MPEG.SYS\r\n[COMMON]\r\n",
         "REM DEVICE=C:\\PLAYER\\MPEG.SYS\r\n[COMMON]\r\nDEVICE=C:\\PLAYER\\MPEG.SYS\r\n"},
        // A header ended by LF alone keeps its next line whole; the new line ends the same way.
        {"[COMMON]\nFILES=40\n", "[COMMON]\nDEVICE=C:\\PLAYER\\MPEG.SYS\nFILES=40\n"},
        // Something else on the header's line stays there.
        {"[COMMON] ; shared\r\nFILES=40\r\n",
         "[COMMON] ; shared\r\nDEVICE=C:\\PLAYER\\MPEG.SYS\r\nFILES=40\r\n"},
        {"[COMMON]FILES=40\r\nBUFFERS=20\r\n",
         "[COMMON]FILES=40\r\nDEVICE=C:\\PLAYER\\MPEG.SYS\r\nBUFFERS=20\r\n"},
        // A header at the very end of the file.
        {"FILES=40\r\n[COMMON]", "FILES=40\r\n[COMMON]\r\nDEVICE=C:\\PLAYER\\MPEG.SYS"},
    };
    for (const Case& c : cases) {
        std::string result;
        BOOL added = configSysWithLine(c.before, kDriver, result);
        EXPECT_EQ(added, !c.after.empty()) << c.before;
        if (added) {
            EXPECT_EQ(result, c.after) << c.before;
        }
    }
}

TEST(ConfigSysWithLine, KeepsEverythingBeyondTheEditedLineOfALongFile)
{
    std::string tail;
    for (int i = 0; tail.size() < 20000; ++i)
        tail += "REM line " + std::to_string(i) + "\r\n";
    std::string result;
    ASSERT_TRUE(configSysWithLine("[COMMON]\r\n" + tail, kDriver, result));
    EXPECT_EQ(result, "[COMMON]\r\n" + std::string(kDriver) + "\r\n" + tail);
}

TEST(AutoexecWithLine, AppendsWithoutADuplicateCheck)
{
    std::string once;
    std::string twice;
    ASSERT_TRUE(autoexecWithLine("@ECHO OFF\r\n", "C:\\PLAYER\\RC.EXE", once));
    ASSERT_TRUE(autoexecWithLine(once, "C:\\PLAYER\\RC.EXE", twice));
    EXPECT_EQ(twice, "@ECHO OFF\r\n\r\nC:\\PLAYER\\RC.EXE\r\nC:\\PLAYER\\RC.EXE");

    std::string unchanged;
    EXPECT_FALSE(autoexecWithLine("@ECHO OFF\r\n", "", unchanged));
}

TEST(TextWithoutPattern, CutsTheFirstOccurrenceAndLeavesItsLineEnd)
{
    struct Case {
        std::string before;
        const char* pattern;
        std::string after;  // empty: not found
    };
    const Case cases[] = {
        {"A\r\nC:\\RC.EXE\r\nC:\\RC.EXE", "C:\\RC.EXE", "A\r\n\r\nC:\\RC.EXE"},
        {"LH c:\\rc.exe /X\r\n", "C:\\RC.EXE", "LH  /X\r\n"},
        {"REM C:\\RC.EXE\r\n", "C:\\RC.EXE", ""},
        {"A\r\n", "", ""},
    };
    for (const Case& c : cases) {
        std::string result;
        BOOL cut = textWithoutPattern(c.before, c.pattern, result);
        EXPECT_EQ(cut, !c.after.empty()) << c.before;
        if (cut) {
            EXPECT_EQ(result, c.after) << c.before;
        }
    }
}

TEST(IniWithKeyLine, AddsTheKeyAsTheFirstLineOfTheSection)
{
    struct Case {
        std::string before;
        std::string after;  // empty: section missing
    };
    const Case cases[] = {
        {"[boot]\r\nshell=x\r\n[386enh]\r\ndevice=*vmm\r\n",
         "[boot]\r\nshell=x\r\n[386Enh]\r\nDEVICE=C:\\W\\MPEG.VXD\r\ndevice=*vmm\r\n"},
        {"[386Enh]\ndevice=*vmm\n", "[386Enh]\nDEVICE=C:\\W\\MPEG.VXD\ndevice=*vmm\n"},
        {"[386Enh] ; drivers\r\ndevice=*vmm\r\n",
         "[386Enh] ; drivers\r\nDEVICE=C:\\W\\MPEG.VXD\r\ndevice=*vmm\r\n"},
        {"[386Enh]", "[386Enh]\r\nDEVICE=C:\\W\\MPEG.VXD"},
        {"[boot]\r\n;[386Enh]\r\n", ""},
    };
    for (const Case& c : cases) {
        std::string result;
        BOOL added = iniWithKeyLine(c.before, "386Enh", "DEVICE", "C:\\W\\MPEG.VXD", result);
        EXPECT_EQ(added, !c.after.empty()) << c.before;
        if (added) {
            EXPECT_EQ(result, c.after) << c.before;
        }
    }
}

TEST(IniWithoutDeviceLine, RemovesTheWholeDriverLineWithItsLineEnd)
{
    struct Case {
        std::string before;
        std::string after;  // empty: no such line
    };
    const Case cases[] = {
        {"[386Enh]\r\nDEVICE=C:\\W\\MPEG.VXD\r\ndevice=*vmm\r\n", "[386Enh]\r\ndevice=*vmm\r\n"},
        // Anywhere in the file, also before the section.
        {"[boot]\r\ndevice=c:\\w\\mpeg.vxd\r\n[386Enh]\r\n", "[boot]\r\n[386Enh]\r\n"},
        {"[386Enh]\ndevice=C:\\W\\MPEG.VXD\nx=1\n", "[386Enh]\nx=1\n"},
        {"[386Enh]\r\n  device=C:\\W\\MPEG.VXD\r\nx=1\r\n", "[386Enh]\r\nx=1\r\n"},
        {"[386Enh]\r\ndevice=C:\\W\\MPEG.VXD", "[386Enh]\r\n"},
        // The first line that is exactly the driver line goes.
        {"device=C:\\W\\MPEG.VXD ;x\r\ndevice=C:\\W\\MPEG.VXD\r\n", "device=C:\\W\\MPEG.VXD ;x\r\n"},
        // Followed by a blank or a comment, or part of another key: stays.
        {"[386Enh]\r\ndevice=C:\\W\\MPEG.VXD ;x\r\n", ""},
        {"[386Enh]\r\ndevice=C:\\W\\MPEG.VXD2\r\n", ""},
        {"[386Enh]\r\nolddevice=C:\\W\\MPEG.VXD\r\nx=1\r\n", ""},
    };
    for (const Case& c : cases) {
        std::string result;
        BOOL removed = iniWithoutDeviceLine(c.before, "C:\\W\\MPEG.VXD", result);
        EXPECT_EQ(removed, !c.after.empty()) << c.before;
        if (removed) {
            EXPECT_EQ(result, c.after) << c.before;
        }
    }
}

}  // namespace
