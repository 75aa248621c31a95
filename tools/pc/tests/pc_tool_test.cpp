// The pc tool as a user runs it: making a PC, changing its disk, reading its registry.
#include "kernel/pc.h"
#include "kernel/testing/test_pc.h"

#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <string>

namespace fs = std::filesystem;
using platform::testing::readHostFile;
using platform::testing::writeHostFile;

namespace {

const fs::path kPc = fs::path(KIT_BINARY_DIR) / "tools/pc/pc";

class PcTool : public ::testing::Test {
protected:
    void SetUp() override {
        std::string pattern = (fs::temp_directory_path() / "pc-tool-XXXXXX").string();
        ASSERT_TRUE(mkdtemp(pattern.data()));
        dir_ = pattern;
    }
    void TearDown() override { fs::remove_all(dir_); }

    struct Run {
        int exitCode;
        std::string out;
        std::string errors;
    };
    Run pc(const std::string& arguments) {
        const fs::path out = dir_ / "stdout", errors = dir_ / "stderr";
        std::string command = "cd '" + dir_.string() + "' && '" + kPc.string() + "' " + arguments + " > '" +
                              out.string() + "' 2> '" + errors.string() + "'";
        int status = std::system(command.c_str());
        Run run{WIFEXITED(status) ? WEXITSTATUS(status) : -1, readHostFile(out), readHostFile(errors)};
        fs::remove(out);
        fs::remove(errors);
        return run;
    }
    fs::path dir_;
};

TEST_F(PcTool, InitMakesAPcAndRefusesToOverwriteIt) {
    Run r = pc("init PC --screen 1024x768 --korean");
    ASSERT_EQ(r.exitCode, 0) << r.errors;
    EXPECT_TRUE(platform::Pc::isPcFolder(dir_ / "PC"));
    platform::PcSettings s = platform::readPcSettings(dir_ / "PC/pc.ini");
    EXPECT_EQ(s.screenWidth, 1024);
    EXPECT_NE(readHostFile(dir_ / "PC/c/WINDOWS/WIN.INI").find("sLanguage=kor"), std::string::npos);

    struct Case {
        const char* arguments;
        int exitCode;
        const char* message;  // part of what stderr says
    } cases[] = {
        {"init PC", 1, "use --force"},
        {"init OTHER --screen 1280x1024", 1, "--screen 1280x1024"},
        {"init OTHER --codepage 437", 1, "code page 437"},
        {"init OTHER --bogus", 1, "unknown option --bogus"},
        {"init", 1, "usage"},
        {"frobnicate", 2, "unknown command 'frobnicate'"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.arguments);
        Run f = pc(c.arguments);
        EXPECT_EQ(f.exitCode, c.exitCode);
        EXPECT_NE(f.errors.find(c.message), std::string::npos) << f.errors;
    }
    EXPECT_FALSE(fs::exists(dir_ / "OTHER"));
    EXPECT_EQ(pc("init PC --force").exitCode, 0);
}

TEST_F(PcTool, DiskReplacesDriveA) {
    ASSERT_EQ(pc("init PC").exitCode, 0);
    fs::create_directories(dir_ / "disk1/SUB");
    writeHostFile(dir_ / "disk1/SETUP.EX_", "one");
    writeHostFile(dir_ / "disk1/SUB/DATA.BIN", "data");
    fs::create_directories(dir_ / "disk2");
    writeHostFile(dir_ / "disk2/DISK2.TXT", "two");

    ASSERT_EQ(pc("disk PC disk1").exitCode, 0);
    EXPECT_EQ(readHostFile(dir_ / "PC/a/SUB/DATA.BIN"), "data");
    ASSERT_EQ(pc("disk PC disk2").exitCode, 0);
    EXPECT_FALSE(fs::exists(dir_ / "PC/a/SETUP.EX_"));
    EXPECT_TRUE(fs::exists(dir_ / "PC/a/DISK2.TXT"));

    // A folder with a link is refused and the disk in the drive stays.
    fs::create_directories(dir_ / "bad");
    fs::create_symlink("/etc/passwd", dir_ / "bad/PASSWD");
    Run r = pc("disk PC bad");
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_NE(r.errors.find("is a link"), std::string::npos);
    EXPECT_TRUE(fs::exists(dir_ / "PC/a/DISK2.TXT"));
    EXPECT_EQ(pc("disk NOPC disk1").exitCode, 1);
}

TEST_F(PcTool, RegPrintsTheRegistry) {
    ASSERT_EQ(pc("init PC").exitCode, 0);
    writeHostFile(dir_ / "PC/registry.reg",
                  "REGEDIT4\r\n\r\n[HKEY_LOCAL_MACHINE\\Software\\Maker]\r\n\"Path\"=\"C:\\\\TVCARD\"\r\n\r\n"
                  "[HKEY_CURRENT_USER\\Other]\r\n\"X\"=\"1\"\r\n\r\n");
    Run all = pc("reg PC");
    ASSERT_EQ(all.exitCode, 0) << all.errors;
    EXPECT_NE(all.out.find("REGEDIT4"), std::string::npos);
    EXPECT_NE(all.out.find("\"Path\"=\"C:\\\\TVCARD\""), std::string::npos);
    EXPECT_NE(all.out.find("[HKEY_CURRENT_USER\\Other]"), std::string::npos);
    Run one = pc("reg PC \"hkey_local_machine\\software\"");
    ASSERT_EQ(one.exitCode, 0) << one.errors;
    EXPECT_NE(one.out.find("[HKEY_LOCAL_MACHINE\\Software\\Maker]"), std::string::npos);
    EXPECT_EQ(one.out.find("Other"), std::string::npos);
}

}  // namespace
