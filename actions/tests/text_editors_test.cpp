// The editors on the PC's own files: working copies, whole files, files that cannot be changed.
#include "actions/text_editors.h"

#include "action_test.h"
#include "win/kernel.h"

#include <string>

namespace {

using TextEditors = ActionTest;

const char kVxd[] = "C:\\WINDOWS\\SYSTEM\\MPEG.VXD";

TEST_F(TextEditors, SystemIniDriverLineGoesFirstInTheSectionAndComesOutAgain)
{
    const std::string original = read("C:\\WINDOWS\\SYSTEM.INI");
    addSystemIniDevice("386Enh", "DEVICE", kVxd);

    std::string added = original;
    added.insert(original.find("[386Enh]\r\n") + 10, "DEVICE=C:\\WINDOWS\\SYSTEM\\MPEG.VXD\r\n");
    EXPECT_EQ(read("C:\\WINDOWS\\SYSTEM.INI"), added);
    EXPECT_EQ(read("C:\\WINDOWS\\system.TMP"), original);

    // Already there: nothing more is added.
    addSystemIniDevice("386Enh", "DEVICE", kVxd);
    EXPECT_EQ(read("C:\\WINDOWS\\SYSTEM.INI"), added);

    removeSystemIniDevice("386Enh", kVxd);
    EXPECT_EQ(read("C:\\WINDOWS\\SYSTEM.INI"), original);
    EXPECT_EQ(read("C:\\WINDOWS\\system.TMP"), added);
}

TEST_F(TextEditors, SystemIniIsLeftAloneWithoutItsSectionOrTheValueAfterIt)
{
    const std::string text = "[boot]\r\nshell=x\r\n[drivers]\r\ndevice=C:\\WINDOWS\\SYSTEM\\MPEG.VXD\r\n"
                             "[386Enh]\r\ndevice=*vpd\r\n";
    write("C:\\WINDOWS\\SYSTEM.INI", text);
    // Missing section: no section is made.
    addSystemIniDevice("Tavel", "DEVICE", kVxd);
    EXPECT_EQ(read("C:\\WINDOWS\\SYSTEM.INI"), text);
    // The value does not follow the section's header: the line before it stays.
    removeSystemIniDevice("386Enh", kVxd);
    EXPECT_EQ(read("C:\\WINDOWS\\SYSTEM.INI"), text);
    // It follows the header of [boot], in a later section: nothing is added to [boot].
    addSystemIniDevice("boot", "DEVICE", kVxd);
    EXPECT_EQ(read("C:\\WINDOWS\\SYSTEM.INI"), text);

    DeleteFileA("C:\\WINDOWS\\SYSTEM.INI");
    addSystemIniDevice("386Enh", "DEVICE", kVxd);
    EXPECT_FALSE(exists("C:\\WINDOWS\\SYSTEM.INI"));
}

TEST_F(TextEditors, ConfigSysIsCreatedWhenMissingAndTheWorkingFileGoes)
{
    DeleteFileA("C:\\CONFIG.SYS");
    addConfigSysLine("DEVICE=C:\\PLAYER\\MPEG.SYS");
    EXPECT_EQ(read("C:\\CONFIG.SYS"), "\r\n[COMMON]\r\nDEVICE=C:\\PLAYER\\MPEG.SYS");
    EXPECT_FALSE(exists("C:\\CONFIG.S__"));

    addConfigSysLine("device=c:\\player\\mpeg.sys");
    EXPECT_EQ(read("C:\\CONFIG.SYS"), "\r\n[COMMON]\r\nDEVICE=C:\\PLAYER\\MPEG.SYS");
    EXPECT_FALSE(exists("C:\\CONFIG.S__"));
}

TEST_F(TextEditors, FilesLongerThanOneBufferAreEditedWhole)
{
    std::string tail;
    for (int i = 0; tail.size() < 20000; ++i)
        tail += "SET VARIABLE" + std::to_string(i) + "=VALUE\r\n";
    write("C:\\CONFIG.SYS", "[COMMON]\r\n" + tail);
    write("C:\\AUTOEXEC.BAT", tail);
    write("C:\\WINDOWS\\SYSTEM.INI", "[386Enh]\r\n" + tail);

    addConfigSysLine("DEVICE=C:\\PLAYER\\MPEG.SYS");
    addAutoexecLine("C:\\PLAYER\\RC.EXE");
    addSystemIniDevice("386Enh", "device", kVxd);
    EXPECT_EQ(read("C:\\CONFIG.SYS"), "[COMMON]\r\nDEVICE=C:\\PLAYER\\MPEG.SYS\r\n" + tail);
    EXPECT_EQ(read("C:\\AUTOEXEC.BAT"), tail + "\r\nC:\\PLAYER\\RC.EXE");
    EXPECT_EQ(read("C:\\WINDOWS\\SYSTEM.INI"),
              "[386Enh]\r\ndevice=C:\\WINDOWS\\SYSTEM\\MPEG.VXD\r\n" + tail);

    removeBootFileLine("C:\\CONFIG.SYS", "DEVICE=C:\\PLAYER\\MPEG.SYS");
    removeBootFileLine("C:\\AUTOEXEC.BAT", "C:\\PLAYER\\RC.EXE");
    removeSystemIniDevice("386Enh", kVxd);
    EXPECT_EQ(read("C:\\CONFIG.SYS"), "[COMMON]\r\n\r\n" + tail);
    EXPECT_EQ(read("C:\\AUTOEXEC.BAT"), tail + "\r\n");
    EXPECT_EQ(read("C:\\WINDOWS\\SYSTEM.INI"), "[386Enh]\r\n" + tail);
}

TEST_F(TextEditors, ReadOnlyFilesStayAsTheyWere)
{
    const std::string config = read("C:\\CONFIG.SYS");
    const std::string system = read("C:\\WINDOWS\\SYSTEM.INI");
    SetFileAttributesA("C:\\CONFIG.SYS", FILE_ATTRIBUTE_READONLY);
    SetFileAttributesA("C:\\WINDOWS\\SYSTEM.INI", FILE_ATTRIBUTE_READONLY);

    addConfigSysLine("DEVICE=C:\\PLAYER\\MPEG.SYS");
    removeBootFileLine("C:\\CONFIG.SYS", "FILES=40");
    addSystemIniDevice("386Enh", "DEVICE", kVxd);
    removeSystemIniDevice("386Enh", "*vpd");

    EXPECT_EQ(read("C:\\CONFIG.SYS"), config);
    EXPECT_EQ(read("C:\\WINDOWS\\SYSTEM.INI"), system);
    EXPECT_FALSE(exists("C:\\CONFIG.S__"));
}

TEST_F(TextEditors, RemovingKeepsTheFileBeforeTheEditAsItsWorkingCopy)
{
    write("C:\\AUTOEXEC.BAT", "A\r\nC:\\RC.EXE\r\nC:\\RC.EXE");
    removeBootFileLine("C:\\AUTOEXEC.BAT", "C:\\RC.EXE");
    EXPECT_EQ(read("C:\\AUTOEXEC.BAT"), "A\r\n\r\nC:\\RC.EXE");
    EXPECT_EQ(read("C:\\AUTOEXEC.TMP"), "A\r\nC:\\RC.EXE\r\nC:\\RC.EXE");

    // A missing file comes back empty.
    DeleteFileA("C:\\CONFIG.SYS");
    removeBootFileLine("C:\\CONFIG.SYS", "FILES=40");
    EXPECT_EQ(read("C:\\CONFIG.SYS"), "");
}

}  // namespace
