#include "kernel/testing/test_pc.h"
#include "win/kernel.h"
#include "win/profile.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>

#include <filesystem>
#include <string>
#include <vector>

namespace fs = std::filesystem;
using platform::testing::readHostFile;
using platform::testing::TestPc;
using platform::testing::writeHostFile;

namespace {

using namespace std::string_literals;

const std::string kTestIni =
    "; settings of the test\r\n"
    "[Setup]\r\n"
    "Title = \"  Install Program  \"\r\n"
    "Long=" + std::string(8191, 'L') + "\r\n"
    "Count=102abc\r\n"
    "Minus=-5\r\n"
    "Word=abc\r\n"
    "\r\n"
    "[Group]\r\n"
    "Path=C:\\TAVEL\r\n"
    "Name=Tavel Application\r\n";

struct StringCase {
    const char* name;
    const char* section;
    const char* key;
    const char* defaultValue;
    DWORD size;
    DWORD result;
    std::string text;  // the buffer up to the result and its zeros
};

class ProfileString : public testing::TestWithParam<StringCase> {
protected:
    TestPc pc;
};

TEST_P(ProfileString, ReturnsTheDocumentedTextAndCount) {
    const StringCase& c = GetParam();
    writeHostFile(pc.host("C:\\WINDOWS\\TEST.INI"), kTestIni);
    std::string buffer(c.size + 1, '#');
    const DWORD result = GetPrivateProfileStringA(c.section, c.key, c.defaultValue, buffer.data(), c.size, "test.ini");
    EXPECT_EQ(result, c.result);
    EXPECT_EQ(buffer.substr(0, c.text.size()), c.text);
    EXPECT_EQ(buffer.back(), '#') << "wrote beyond the buffer";
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ProfileString,
    testing::Values(
        StringCase{"ValueWithoutQuotes", "setup", "TITLE", "x", 64, 19, "  Install Program  \0"s},
        StringCase{"MissingKeyGivesDefault", "Setup", "Nothing", "dflt", 64, 4, "dflt\0"s},
        StringCase{"DefaultLosesTrailingBlanks", "Setup", "Nothing", "dflt \t ", 64, 4, "dflt\0"s},
        StringCase{"NullDefaultIsEmpty", "Setup", "Nothing", nullptr, 64, 0, "\0"s},
        StringCase{"MissingSectionGivesDefault", "Nowhere", "Title", "d", 64, 1, "d\0"s},
        StringCase{"ValueCutToSizeMinusOne", "Group", "Name", "", 6, 5, "Tavel\0"s},
        StringCase{"DefaultCutToSizeMinusOne", "Group", "None", "abcdef", 4, 3, "abc\0"s},
        StringCase{"LongValueWholeInLargeBuffer", "Setup", "Long", "", 8192, 8191, std::string(8191, 'L') + '\0'},
        StringCase{"SectionNames", nullptr, nullptr, "d", 64, 12, "Setup\0Group\0\0"s},
        StringCase{"SectionNamesCut", nullptr, nullptr, "d", 9, 7, "Setup\0G\0\0"s},
        StringCase{"KeyNames", "GROUP", nullptr, "d", 64, 10, "Path\0Name\0\0"s},
        StringCase{"KeyNamesCut", "Group", nullptr, "d", 4, 2, "Pa\0\0"s},
        StringCase{"KeyNamesOfMissingSection", "Nowhere", nullptr, "d", 64, 0, "\0\0"s}),
    [](const testing::TestParamInfo<StringCase>& info) { return info.param.name; });

TEST(ProfileInt, LeadingDigitsOrTheDefault) {
    TestPc pc;
    writeHostFile(pc.host("C:\\WINDOWS\\TEST.INI"), kTestIni);
    writeHostFile(pc.host("C:\\WINDOWS\\WIN.INI"), "[n]\r\nCount=102abc\r\nMinus=-5\r\nWord=abc\r\n");
    const struct {
        const char* key;
        UINT privateResult;
        UINT winIniResult;  // WIN.INI numbers below zero read as zero
    } cases[] = {
        {"Count", 102, 102},
        {"Minus", static_cast<UINT>(-5), 0},
        {"Word", 77, 77},
        {"Missing", 77, 77},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.key);
        EXPECT_EQ(GetPrivateProfileIntA("Setup", c.key, 77, "TEST.INI"), c.privateResult);
        EXPECT_EQ(GetProfileIntA("N", c.key, 77), c.winIniResult);
    }
    EXPECT_EQ(GetPrivateProfileIntA("Setup", "Count", 1, "C:\\NOFILE.INI"), 1u);
}

TEST(ProfileRead, MissingFileGivesDefaultAndFileNotFound) {
    TestPc pc;
    char buffer[16];
    SetLastError(0);
    EXPECT_EQ(GetPrivateProfileStringA("s", "k", "d", buffer, sizeof buffer, "C:\\NONE.INI"), 1u);
    EXPECT_STREQ(buffer, "d");
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
}

// Writes and the file text they leave; every other line stays as it was.
struct WriteCase {
    const char* name;
    std::string before;  // empty: no file
    const char* section;
    const char* key;
    const char* value;
    std::string after;  // empty: no file
};

class ProfileWrite : public testing::TestWithParam<WriteCase> {
protected:
    TestPc pc;
};

TEST_P(ProfileWrite, KeepsEveryOtherLine) {
    const WriteCase& c = GetParam();
    const fs::path host = pc.host("C:\\DATA\\APP.INI");
    fs::create_directories(host.parent_path());
    if (!c.before.empty()) {
        writeHostFile(host, c.before);
    }
    EXPECT_TRUE(WritePrivateProfileStringA(c.section, c.key, c.value, "c:\\Data\\APP.INI"));
    if (c.after.empty()) {
        EXPECT_FALSE(fs::exists(host));
    } else {
        EXPECT_EQ(readHostFile(host), c.after);
    }
    // Nothing but the file itself is left in its folder.
    EXPECT_EQ(std::distance(fs::directory_iterator(host.parent_path()), fs::directory_iterator()), c.after.empty() ? 0 : 1);
}

const std::string kCommented = "; top\r\n\r\n[a]\r\n; about x\r\nx = 1\r\nodd line\r\n\r\n[b]\r\ny=2\r\n";

INSTANTIATE_TEST_SUITE_P(
    Cases, ProfileWrite,
    testing::Values(
        WriteCase{"ReplaceValue", kCommented, "A", "X", "9",
                  "; top\r\n\r\n[a]\r\n; about x\r\nX=9\r\nodd line\r\n\r\n[b]\r\ny=2\r\n"},
        WriteCase{"AddKeyAfterLastKey", kCommented, "a", "z", "3",
                  "; top\r\n\r\n[a]\r\n; about x\r\nx = 1\r\nz=3\r\nodd line\r\n\r\n[b]\r\ny=2\r\n"},
        WriteCase{"AddSectionAtEnd", kCommented, "c", "k", "v", kCommented + "[c]\r\nk=v\r\n"},
        WriteCase{"DeleteKey", kCommented, "b", "Y", nullptr, "; top\r\n\r\n[a]\r\n; about x\r\nx = 1\r\nodd line\r\n\r\n[b]\r\n"},
        WriteCase{"DeleteSection", kCommented, "A", nullptr, nullptr, "; top\r\n\r\n[b]\r\ny=2\r\n"},
        WriteCase{"LineFeedFileStaysLineFeed", "[a]\nx=1\n", "a", "y", "2", "[a]\nx=1\ny=2\n"},
        WriteCase{"CreateFile", "", "GROUP0", "COUNT", "3", "[GROUP0]\r\nCOUNT=3\r\n"},
        WriteCase{"DeleteFromMissingFileCreatesNone", "", "a", "x", nullptr, ""},
        WriteCase{"BlanksAroundNamesDropped", "[a]\r\nx=1\r\n", " a ", " x\t", "2", "[a]\r\nx=2\r\n"}),
    [](const testing::TestParamInfo<WriteCase>& info) { return info.param.name; });

TEST(ProfileWrite, WhereTheFileNameLeads) {
    TestPc pc;
    ASSERT_TRUE(CreateDirectoryA("C:\\DATA", nullptr));
    ASSERT_TRUE(CreateDirectoryA("C:\\DATA\\SUB", nullptr));
    ASSERT_TRUE(SetCurrentDirectoryA("C:\\DATA"));
    const struct {
        const char* fileName;
        const char* windowsPath;
    } cases[] = {
        {"RCV.INI", "C:\\WINDOWS\\RCV.INI"},             // a bare name: the Windows directory
        {"SUB\\LOCAL.INI", "C:\\DATA\\SUB\\LOCAL.INI"},  // relative: the current directory
        {"C:\\_UNSETUP.INI", "C:\\_UNSETUP.INI"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.fileName);
        EXPECT_TRUE(WritePrivateProfileStringA("Remocon Drive Port", "Address", "5", c.fileName));
        EXPECT_EQ(readHostFile(pc.host(c.windowsPath)), "[Remocon Drive Port]\r\nAddress=5\r\n");
        EXPECT_EQ(GetPrivateProfileIntA("remocon drive port", "ADDRESS", 0, c.fileName), 5u);
    }
}

TEST(ProfileWrite, RefusedWritesLeaveTheFileAsItWas) {
    TestPc pc;
    const fs::path host = pc.host("C:\\WINDOWS\\FIXED.INI");
    writeHostFile(host, "[a]\r\nx=1\r\n");
    ASSERT_TRUE(SetFileAttributesA("C:\\WINDOWS\\FIXED.INI", FILE_ATTRIBUTE_READONLY));
    const auto filesBefore = std::distance(fs::directory_iterator(host.parent_path()), fs::directory_iterator());
    const struct {
        const char* name;
        const char* section;
        const char* key;
        const char* value;
        const char* fileName;
        DWORD error;
    } cases[] = {
        {"ReadOnlyFile", "a", "x", "2", "FIXED.INI", ERROR_ACCESS_DENIED},
        {"ReadOnlyFileDeleteKey", "a", "x", nullptr, "FIXED.INI", ERROR_ACCESS_DENIED},
        {"MissingFolder", "a", "x", "2", "C:\\NOWHERE\\NEW.INI", ERROR_PATH_NOT_FOUND},
        {"KeyWithEquals", "a", "x=y", "2", "OTHER.INI", ERROR_INVALID_PARAMETER},
        {"KeyAsComment", "a", ";x", "2", "OTHER.INI", ERROR_INVALID_PARAMETER},
        {"EmptyKey", "a", " ", "2", "OTHER.INI", ERROR_INVALID_PARAMETER},
        {"ValueWithLineBreak", "a", "x", "1\r\n[evil]", "OTHER.INI", ERROR_INVALID_PARAMETER},
        {"SectionWithBracket", "a]x", "x", "1", "OTHER.INI", ERROR_INVALID_PARAMETER},
        {"NoSection", nullptr, "x", "1", "OTHER.INI", ERROR_INVALID_PARAMETER},
        {"NoFileName", "a", "x", "1", nullptr, ERROR_INVALID_PARAMETER},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        SetLastError(0);
        EXPECT_FALSE(WritePrivateProfileStringA(c.section, c.key, c.value, c.fileName));
        EXPECT_EQ(GetLastError(), c.error);
    }
    EXPECT_EQ(readHostFile(host), "[a]\r\nx=1\r\n");
    EXPECT_FALSE(fs::exists(pc.host("C:\\WINDOWS\\OTHER.INI")));
    EXPECT_EQ(std::distance(fs::directory_iterator(host.parent_path()), fs::directory_iterator()), filesBefore);
}

TEST(ProfileWrite, RefusedWhileAnotherOpenRefusesWriting) {
    TestPc pc;
    writeHostFile(pc.host("C:\\WINDOWS\\BUSY.INI"), "[a]\r\nx=1\r\n");
    HANDLE busy = CreateFileA("C:\\WINDOWS\\BUSY.INI", GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(busy, INVALID_HANDLE_VALUE);
    EXPECT_FALSE(WritePrivateProfileStringA("a", "x", "2", "BUSY.INI"));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_SHARING_VIOLATION));
    CloseHandle(busy);
    EXPECT_TRUE(WritePrivateProfileStringA("a", "x", "2", "BUSY.INI"));
}

TEST(ProfileWrite, ReplacesTheFileWholeAndKeepsItsAttributes) {
    TestPc pc;
    const fs::path host = pc.host("C:\\WINDOWS\\KEEP.INI");
    writeHostFile(host, "[a]\r\nx=1\r\n");
    ASSERT_TRUE(SetFileAttributesA("C:\\WINDOWS\\KEEP.INI", FILE_ATTRIBUTE_HIDDEN));
    struct stat before {};
    ASSERT_EQ(::stat(host.c_str(), &before), 0);

    ASSERT_TRUE(WritePrivateProfileStringA("a", "x", "2", "KEEP.INI"));
    struct stat after {};
    ASSERT_EQ(::stat(host.c_str(), &after), 0);
    // A new file took the old one's place: a reader holds either the old text or the new.
    EXPECT_NE(after.st_ino, before.st_ino);
    EXPECT_EQ(after.st_mode, before.st_mode);
    EXPECT_EQ(GetFileAttributesA("C:\\WINDOWS\\KEEP.INI"), DWORD{FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_ARCHIVE});
}

TEST(WinIni, ProfileFunctionsUseTheWindowsDirectory) {
    TestPc pc;
    char buffer[128];
    EXPECT_EQ(GetProfileStringA("intl", "sLanguage", "eng", buffer, sizeof buffer), 3u);
    EXPECT_STREQ(buffer, "enu");

    const std::string before = readHostFile(pc.host("C:\\WINDOWS\\WIN.INI"));
    EXPECT_TRUE(WriteProfileStringA("windows", "load", "C:\\PLAYER\\RC.EXE"));
    std::string expected = before;
    expected.replace(expected.find("load=\r\n"), 7, "load=C:\\PLAYER\\RC.EXE\r\n");
    EXPECT_EQ(readHostFile(pc.host("C:\\WINDOWS\\WIN.INI")), expected);

    EXPECT_EQ(GetProfileStringA("Windows", "LOAD", "", buffer, sizeof buffer), 16u);
    EXPECT_STREQ(buffer, "C:\\PLAYER\\RC.EXE");
    EXPECT_EQ(GetPrivateProfileStringA("windows", "load", "", buffer, sizeof buffer, "c:\\windows\\win.ini"), 16u);
}

TEST(ProfileSection, ReadAndReplaceTheKeyLines) {
    TestPc pc;
    const fs::path host = pc.host("C:\\WINDOWS\\SEC.INI");
    writeHostFile(host, "[a]\r\n; note\r\nx = \"1\"\r\ny=2\r\n[b]\r\nz=3\r\n");
    char buffer[64];
    EXPECT_EQ(GetPrivateProfileSectionA("A", buffer, sizeof buffer, "SEC.INI"), 10u);
    EXPECT_EQ(std::string(buffer, 11), "x=\"1\"\0y=2\0\0"s);
    EXPECT_EQ(GetPrivateProfileSectionA("a", buffer, 6, "SEC.INI"), 4u);
    EXPECT_EQ(std::string(buffer, 6), "x=\"1\0\0"s);

    EXPECT_TRUE(WritePrivateProfileSectionA("a", "p=7\0q=8\0", "SEC.INI"));
    EXPECT_EQ(readHostFile(host), "[a]\r\n; note\r\np=7\r\nq=8\r\n[b]\r\nz=3\r\n");
    EXPECT_FALSE(WritePrivateProfileSectionA("a", "p=7\0[evil]\0", "SEC.INI"));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
}

// Other processes change files between this process's calls; the next call sees each change.
TEST(ProfileCache, ChangesByOthersAreSeen) {
    TestPc pc;
    const fs::path host = pc.host("C:\\WINDOWS\\SHARED.INI");
    char buffer[16];
    enum class How { InPlace, InPlaceWithinOneClockTick, Replaced };
    const struct {
        const char* name;
        std::string text;
        How how;
    } changes[] = {
        {"first", "[s]\nk=1\n", How::InPlace},
        {"same size in place", "[s]\nk=2\n", How::InPlace},
        // A host clock that stamps files in coarse ticks gives the changed file the old stamp.
        {"same size in place, same stamp", "[s]\nk=3\n", How::InPlaceWithinOneClockTick},
        {"replaced by another file", "[s]\nk=4\n", How::Replaced},
        {"grown", "[s]\nk=55\n", How::InPlace},
    };
    for (const auto& change : changes) {
        SCOPED_TRACE(change.name);
        struct stat before {};
        ::stat(host.c_str(), &before);
        if (change.how == How::Replaced) {
            writeHostFile(host.string() + ".new", change.text);
            fs::rename(host.string() + ".new", host);
        } else {
            writeHostFile(host, change.text);
        }
        if (change.how == How::InPlaceWithinOneClockTick) {
            const struct timespec stamps[2] = {before.st_atim, before.st_mtim};
            ASSERT_EQ(::utimensat(AT_FDCWD, host.c_str(), stamps, 0), 0);
        }
        GetPrivateProfileStringA("s", "k", "", buffer, sizeof buffer, "SHARED.INI");
        EXPECT_EQ(std::string(buffer), change.text.substr(6, change.text.size() - 7));
    }
    fs::remove(host);
    EXPECT_EQ(GetPrivateProfileStringA("s", "k", "gone", buffer, sizeof buffer, "SHARED.INI"), 4u);
}

TEST(ProfileCache, WritesAfterReadsBuildOnTheLatestText) {
    TestPc pc;
    const fs::path host = pc.host("C:\\WINDOWS\\GROW.INI");
    for (int i = 0; i < 50; ++i) {
        const std::string key = "ITEM" + std::to_string(i);
        ASSERT_TRUE(WritePrivateProfileStringA("GROUP0", key.c_str(), std::to_string(i).c_str(), "GROW.INI"));
        ASSERT_EQ(GetPrivateProfileIntA("GROUP0", key.c_str(), -1, "GROW.INI"), static_cast<UINT>(i));
    }
    char keys[1024];
    const DWORD length = GetPrivateProfileStringA("GROUP0", nullptr, "", keys, sizeof keys, "GROW.INI");
    std::vector<std::string> names;
    for (DWORD at = 0; at < length; at += static_cast<DWORD>(names.back().size()) + 1) {
        names.emplace_back(keys + at);
    }
    ASSERT_EQ(names.size(), 50u);
    EXPECT_EQ(names.front(), "ITEM0");
    EXPECT_EQ(names.back(), "ITEM49");
    EXPECT_EQ(readHostFile(host).substr(0, 28), "[GROUP0]\r\nITEM0=0\r\nITEM1=1\r\n");
}

}  // namespace
