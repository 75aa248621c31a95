#include "kernel/hooks.h"
#include "kernel/module.h"
#include "kernel/testing/test_pc.h"
#include "win/kernel.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace fs = std::filesystem;
using platform::testing::readHostFile;
using platform::testing::TestPc;
using platform::testing::writeHostFile;

namespace {

TEST(OpenFile, ReadCreateExistDelete) {
    TestPc pc;
    writeHostFile(pc.host("C:\\SOURCE.TXT"), "content");
    OFSTRUCT ofs{};

    HFILE in = OpenFile("c:\\source.txt", &ofs, OF_READ);
    ASSERT_NE(in, HFILE_ERROR);
    EXPECT_STREQ(ofs.szPathName, "C:\\source.txt");
    char buffer[16] = {};
    EXPECT_EQ(_lread(in, buffer, sizeof buffer), 7u);
    EXPECT_STREQ(buffer, "content");
    EXPECT_EQ(_llseek(in, 3, FILE_BEGIN), 3);
    EXPECT_EQ(_lread(in, buffer, 4), 4u);
    EXPECT_EQ(_lwrite(in, "x", 1), static_cast<UINT>(HFILE_ERROR));  // opened for reading
    EXPECT_EQ(_lclose(in), 0);
    EXPECT_EQ(_lclose(in), HFILE_ERROR);

    HFILE out = OpenFile("C:\\DEST.TXT", &ofs, OF_CREATE);
    ASSERT_NE(out, HFILE_ERROR);
    EXPECT_EQ(_lwrite(out, "new", 3), 3u);
    _lclose(out);
    EXPECT_EQ(readHostFile(pc.host("C:\\DEST.TXT")), "new");

    EXPECT_NE(OpenFile("C:\\DEST.TXT", &ofs, OF_EXIST), HFILE_ERROR);
    EXPECT_NE(OpenFile("C:\\DEST.TXT", &ofs, OF_DELETE), HFILE_ERROR);
    EXPECT_FALSE(fs::exists(pc.host("C:\\DEST.TXT")));
    EXPECT_EQ(OpenFile("C:\\DEST.TXT", &ofs, OF_EXIST), HFILE_ERROR);
    EXPECT_EQ(ofs.nErrCode, ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(OpenFile("C:\\DEST.TXT", &ofs, OF_DELETE), HFILE_ERROR);
}

TEST(OpenFile, CreateOfAMissingSourceLeavesTheDestinationAlone) {
    // Opening a source that is not there must fail before anything is created.
    TestPc pc;
    OFSTRUCT ofs{};
    EXPECT_EQ(OpenFile("C:\\NOTHERE.TXT", &ofs, OF_READ), HFILE_ERROR);
    EXPECT_FALSE(fs::exists(pc.host("C:\\NOTHERE.TXT")));
}

TEST(OpenFile, BareNamesAreSearchedInThePlatformsOrder) {
    TestPc pc;
    CreateDirectoryA("C:\\APP", nullptr);
    CreateDirectoryA("C:\\WORK", nullptr);
    platform::module::setImagePath("C:\\APP\\PROG.EXE");
    writeHostFile(pc.host("C:\\WINDOWS\\FOUND.INI"), "windows");
    writeHostFile(pc.host("C:\\WINDOWS\\SYSTEM\\FOUND.INI"), "system");
    SetCurrentDirectoryA("C:\\WORK");
    OFSTRUCT ofs{};
    struct Step {
        const char* createIn;  // another copy appears here, earlier in the order
        const char* expected;
    } steps[] = {
        {nullptr, "C:\\WINDOWS\\SYSTEM\\FOUND.INI"},
        {"C:\\WORK\\FOUND.INI", "C:\\WORK\\FOUND.INI"},
        {"C:\\APP\\FOUND.INI", "C:\\APP\\FOUND.INI"},
    };
    for (const Step& s : steps) {
        if (s.createIn) writeHostFile(pc.host(s.createIn), "x");
        HFILE h = OpenFile("FOUND.INI", &ofs, OF_READ);
        ASSERT_NE(h, HFILE_ERROR);
        EXPECT_STREQ(ofs.szPathName, s.expected);
        _lclose(h);
    }
    // Creating a bare name makes it in the current directory.
    HFILE h = OpenFile("MADE.TXT", &ofs, OF_CREATE);
    ASSERT_NE(h, HFILE_ERROR);
    _lclose(h);
    EXPECT_TRUE(fs::exists(pc.host("C:\\WORK\\MADE.TXT")));
}

TEST(OpenFile, PromptOffersRetryForAMissingFile) {
    TestPc pc;
    int prompts = 0;
    platform::hooks::promptMissingFile() = [&](const std::string& path) {
        ++prompts;
        if (prompts == 1) {
            EXPECT_EQ(path, "A:\\DISK2.DAT");  // the user inserts the disk, then chooses Retry
            writeHostFile(pc.root() / "a" / "DISK2.DAT", "x");
            return true;
        }
        return false;
    };
    OFSTRUCT ofs{};
    HFILE h = OpenFile("A:\\DISK2.DAT", &ofs, OF_READ | OF_PROMPT);
    EXPECT_NE(h, HFILE_ERROR);
    EXPECT_EQ(prompts, 1);
    _lclose(h);
    // Cancel gives the not-found failure.
    EXPECT_EQ(OpenFile("A:\\DISK3.DAT", &ofs, OF_READ | OF_PROMPT), HFILE_ERROR);
    EXPECT_EQ(prompts, 2);
    EXPECT_EQ(GetLastError(), DWORD{ERROR_FILE_NOT_FOUND});
    // A process that asked for no such boxes gets none.
    EXPECT_EQ(SetErrorMode(SEM_NOOPENFILEERRORBOX), 0u);
    EXPECT_EQ(OpenFile("A:\\DISK4.DAT", &ofs, OF_READ | OF_PROMPT), HFILE_ERROR);
    EXPECT_EQ(prompts, 2);
    EXPECT_EQ(SetErrorMode(0), UINT{SEM_NOOPENFILEERRORBOX});
    platform::hooks::promptMissingFile() = nullptr;
}

TEST(OpenFile, ParseAndReopen) {
    TestPc pc;
    OFSTRUCT ofs{};
    SetCurrentDirectoryA("C:\\WINDOWS");
    EXPECT_EQ(OpenFile("WIN.INI", &ofs, OF_PARSE), 0);
    EXPECT_STREQ(ofs.szPathName, "C:\\WINDOWS\\WIN.INI");
    HFILE h = OpenFile(nullptr, &ofs, OF_READ | OF_REOPEN);
    EXPECT_NE(h, HFILE_ERROR);
    _lclose(h);
}

}  // namespace
