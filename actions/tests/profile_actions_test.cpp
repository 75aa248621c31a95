// Profile actions: each kind installed, recorded and undone from the record.
#include "actions/profile_actions.h"

#include "action_test.h"
#include "win/kernel.h"
#include "win/profile.h"

#include <string>

namespace {

class ProfileActions : public ActionTest {
protected:
    const std::string script = "C:\\_SETUP.INI";
    const std::string record = "C:\\PLAYER\\_UNSETUP.INI";

    void SetUp() override { CreateDirectoryA("C:\\PLAYER", nullptr); }

    void writeProfile(const std::string& lines) { write(script, "[PROFILE]\r\n" + lines); }
    int install() { return applyProfileSection(context, ACTION_INSTALL, script.c_str(), record.c_str()); }
    int uninstall() { return applyProfileSection(context, ACTION_UNINSTALL, record.c_str(), nullptr); }

    std::string recorded(const char* key) const
    {
        char text[512];
        GetPrivateProfileStringA("PROFILE", key, "<none>", text, sizeof text, record.c_str());
        return text;
    }
    static std::string winIni(const char* section, const char* key)
    {
        char text[1024];
        GetProfileStringA(section, key, "<none>", text, sizeof text);
        return text;
    }
};

TEST_F(ProfileActions, ProgramListsRoundTrip)
{
    struct Case {
        const char* before;  // WIN.INI [windows] load
        const char* afterInstall;
        const char* record;  // PROFILE0 of the record
        const char* afterUninstall;
    };
    const Case cases[] = {
        {"", "C:\\PLAYER\\RC.EXE", "WIN.INI,windows,load,C:\\PLAYER\\RC.EXE", ""},
        // The blank left behind is trimmed off by the profile read.
        {"A.EXE", "A.EXE C:\\PLAYER\\RC.EXE", "WIN.INI,windows,load,C:\\PLAYER\\RC.EXE", "A.EXE"},
        // Already in the list: nothing changes and nothing is recorded.
        {"c:\\player\\rc.exe B.EXE", "c:\\player\\rc.exe B.EXE", "<none>", "c:\\player\\rc.exe B.EXE"},
    };
    for (const Case& c : cases) {
        write(record, "");
        WriteProfileStringA("windows", "load", c.before);
        writeProfile("COUNT=1\r\nPROFILE0=WIN.INI,windows,load,@C\\RC.EXE\r\n");
        EXPECT_EQ(install(), 1);
        EXPECT_EQ(winIni("windows", "load"), c.afterInstall) << c.before;
        EXPECT_EQ(recorded("PROFILE0"), c.record) << c.before;
        EXPECT_EQ(recorded("COUNT"), "1");
        EXPECT_EQ(uninstall(), 1);
        EXPECT_EQ(winIni("windows", "load"), c.afterUninstall) << c.before;
    }
}

TEST_F(ProfileActions, RemovingAProgramTakesTheSpaceAfterIt)
{
    WriteProfileStringA("windows", "run", "C:\\PLAYER\\RC.EXE B.EXE");
    write(record, "[PROFILE]\r\nCOUNT=1\r\nPROFILE0=WIN.INI,windows,run,C:\\PLAYER\\RC.EXE\r\n");
    uninstall();
    EXPECT_EQ(winIni("windows", "run"), "B.EXE");
}

TEST_F(ProfileActions, AProgramListLongerThanOneBufferIsKeptWhole)
{
    std::string list;
    for (int i = 0; list.size() < 400; ++i)
        list += "C:\\OTHER\\PROGRAM" + std::to_string(i) + ".EXE ";
    list += "LAST.EXE";
    WriteProfileStringA("windows", "load", list.c_str());
    writeProfile("COUNT=1\r\nPROFILE0=WIN.INI,windows,load,@C\\RC.EXE\r\n");
    install();
    EXPECT_EQ(winIni("windows", "load"), list + " C:\\PLAYER\\RC.EXE");
    uninstall();
    EXPECT_EQ(winIni("windows", "load"), list);
}

TEST_F(ProfileActions, SystemIniDriverRoundTrip)
{
    const std::string original = read("C:\\WINDOWS\\SYSTEM.INI");
    const char entry[] = "SYSTEM.INI,386Enh,device,@S\\MPEG.VXD";
    writeProfile(std::string("COUNT=1\r\nPROFILE0=") + entry + "\r\n");
    install();
    EXPECT_NE(read("C:\\WINDOWS\\SYSTEM.INI").find("[386Enh]\r\ndevice=C:\\WINDOWS\\SYSTEM\\MPEG.VXD\r\n"),
              std::string::npos);
    EXPECT_EQ(recorded("PROFILE0"), entry);
    uninstall();
    EXPECT_EQ(read("C:\\WINDOWS\\SYSTEM.INI"), original);
}

TEST_F(ProfileActions, StartUpFileLinesRoundTripWithTheirBackups)
{
    const std::string config = read("C:\\CONFIG.SYS");
    const std::string autoexec = read("C:\\AUTOEXEC.BAT");
    context.install = "E:\\PLAYER";
    writeProfile("COUNT=3\r\n"
                 "PROFILE0=CONFIG.SYS,DEVICE=C:\\DRV\\A.SYS\r\n"
                 "PROFILE1=config.sys,@D\\DRV\\MPEG.SYS,ignored,ignored\r\n"
                 "PROFILE2=AUTOEXEC.BAT,@W\\RC.EXE\r\n");
    EXPECT_EQ(install(), 1);
    const std::string installed = config + "\r\n[COMMON]\r\nE\\DRV\\MPEG.SYS\r\nDEVICE=C:\\DRV\\A.SYS";
    EXPECT_EQ(read("C:\\CONFIG.SYS"), installed);
    EXPECT_EQ(read("C:\\AUTOEXEC.BAT"), autoexec + "\r\nC:\\WINDOWS\\RC.EXE");
    // Each backup holds its file as it was before its last line was handled.
    EXPECT_EQ(read("C:\\CONFIG.S--"), config + "\r\n[COMMON]\r\nDEVICE=C:\\DRV\\A.SYS");
    EXPECT_EQ(read("C:\\AUTOEXEC.B--"), autoexec);
    EXPECT_EQ(recorded("PROFILE1"), "config.sys,@D\\DRV\\MPEG.SYS,ignored,ignored");
    EXPECT_EQ(recorded("PROFILE2"), "AUTOEXEC.BAT,@W\\RC.EXE");

    // The recorded lines are expanded again with the install path of the removal run.
    EXPECT_EQ(uninstall(), 1);
    EXPECT_EQ(read("C:\\CONFIG.SYS"), config + "\r\n[COMMON]\r\n\r\n");
    EXPECT_EQ(read("C:\\AUTOEXEC.BAT"), autoexec + "\r\n");
    EXPECT_EQ(read("C:\\CONFIG.S--"), config + "\r\n[COMMON]\r\nE\\DRV\\MPEG.SYS\r\n");
    EXPECT_EQ(read("C:\\AUTOEXEC.B--"), autoexec + "\r\nC:\\WINDOWS\\RC.EXE");
}

TEST_F(ProfileActions, ABackupThatIsReadOnlyIsMadeWritableAndReplaced)
{
    write("C:\\CONFIG.S--", "stale");
    SetFileAttributesA("C:\\CONFIG.S--", FILE_ATTRIBUTE_READONLY);
    const std::string config = read("C:\\CONFIG.SYS");
    writeProfile("COUNT=1\r\nPROFILE0=CONFIG.SYS,DEVICE=C:\\DRV\\A.SYS\r\n");
    install();
    EXPECT_EQ(read("C:\\CONFIG.S--"), config);
}

TEST_F(ProfileActions, InitializationFileValuesRoundTrip)
{
    write("C:\\PLAYER\\PLAYER.INI", "[Setup]\r\nList=a,b,,c\r\nHome=@home\r\n");
    writeProfile("COUNT=5\r\n"
                 "PROFILE0=@C\\PLAYER.INI,Setup,List,new\r\n"
                 "PROFILE1=@C\\PLAYER.INI,Setup,Home,@C\\DATA\r\n"
                 "PROFILE2=@C\\PLAYER.INI,Setup,Fresh,1\r\n"
                 "PROFILE3=WIN.INI,,LOAD,X.EXE\r\n"
                 "PROFILE4=WIN.INI,Desktop,Wallpaper,@W\\TV.BMP\r\n");
    EXPECT_EQ(install(), 1);

    char text[256];
    GetPrivateProfileStringA("Setup", "Home", "", text, sizeof text, "C:\\PLAYER\\PLAYER.INI");
    EXPECT_STREQ(text, "C:\\PLAYER\\DATA");
    EXPECT_EQ(winIni("LOAD", "X.EXE"), "");
    EXPECT_EQ(winIni("Desktop", "Wallpaper"), "C:\\WINDOWS\\TV.BMP");
    EXPECT_EQ(recorded("PROFILE0"), "C:\\PLAYER\\PLAYER.INI,Setup,List,a,b,,c");
    EXPECT_EQ(recorded("PROFILE1"), "C:\\PLAYER\\PLAYER.INI,Setup,Home,@home");
    EXPECT_EQ(recorded("PROFILE2"), "C:\\PLAYER\\PLAYER.INI,Setup,Fresh,");
    EXPECT_EQ(recorded("PROFILE3"), "WIN.INI,LOAD,X.EXE,");
    EXPECT_EQ(recorded("PROFILE4"), "WIN.INI,Desktop,Wallpaper,(None)");

    // Old values come back exactly, commas and all; keys that had none go.
    EXPECT_EQ(uninstall(), 1);
    EXPECT_EQ(read("C:\\PLAYER\\PLAYER.INI"), "[Setup]\r\nList=a,b,,c\r\nHome=@home\r\n");
    EXPECT_EQ(winIni("LOAD", "X.EXE"), "<none>");
    EXPECT_EQ(winIni("Desktop", "Wallpaper"), "(None)");
}

TEST_F(ProfileActions, AValueOfAFileThatIsGoneIsNotRestored)
{
    write(record, "[PROFILE]\r\nCOUNT=1\r\nPROFILE0=C:\\GONE\\GONE.INI,Setup,Key,1\r\n");
    EXPECT_EQ(uninstall(), 1);
    EXPECT_FALSE(exists("C:\\GONE\\GONE.INI"));
    EXPECT_FALSE(exists("C:\\WINDOWS\\GONE.INI"));
}

TEST_F(ProfileActions, AnInvalidLocationPrefixEndsTheRun)
{
    struct Case {
        const char* badEntry;
    };
    const Case cases[] = {
        {"WIN.INI,windows,run,@c\\X.EXE"},
        {"WIN.INI,windows,run,@D\\X.EXE"},
        {"SYSTEM.INI,386Enh,DEVICE,@X\\X.VXD"},
        {"AUTOEXEC.BAT,@x\\X.EXE"},
        {"@Q\\X.INI,Setup,Key,1"},
        {"X.INI,Setup,Key,@"},
    };
    for (const Case& c : cases) {
        write(record, "");
        WriteProfileStringA("windows", "load", "");
        const std::string autoexec = read("C:\\AUTOEXEC.BAT");
        writeProfile(std::string("COUNT=3\r\n"
                                 "PROFILE0=WIN.INI,windows,load,@C\\RC.EXE\r\n"
                                 "PROFILE1=") +
                     c.badEntry +
                     "\r\n"
                     "PROFILE2=AUTOEXEC.BAT,C:\\PLAYER\\RC.EXE\r\n");
        EXPECT_EQ(install(), 0) << c.badEntry;
        EXPECT_EQ(winIni("windows", "load"), "C:\\PLAYER\\RC.EXE") << c.badEntry;
        EXPECT_EQ(read("C:\\AUTOEXEC.BAT"), autoexec) << c.badEntry;
        EXPECT_EQ(recorded("COUNT"), "3") << c.badEntry;
        EXPECT_EQ(recorded("PROFILE1"), "<none>") << c.badEntry;
        EXPECT_EQ(recorded("PROFILE2"), "<none>") << c.badEntry;
    }
}

TEST_F(ProfileActions, NothingIsRecordedWithTheFlagOffAndCountZeroIsRecorded)
{
    writeProfile("COUNT=1\r\nPROFILE0=WIN.INI,windows,run,@C\\RC.EXE\r\n");
    context.record = FALSE;
    EXPECT_EQ(install(), 1);
    EXPECT_EQ(winIni("windows", "run"), "C:\\PLAYER\\RC.EXE");
    EXPECT_FALSE(exists(record));

    context.record = TRUE;
    write(script, "[SETUP]\r\nUNSETUP=1\r\n");
    EXPECT_EQ(install(), 1);
    EXPECT_EQ(recorded("COUNT"), "0");
}

TEST_F(ProfileActions, AWholeInstallationIsUndoneFromItsRecord)
{
    const std::string winIniBefore = read("C:\\WINDOWS\\WIN.INI");
    const std::string systemIniBefore = read("C:\\WINDOWS\\SYSTEM.INI");
    writeProfile("COUNT=6\r\n"
                 "PROFILE0=WIN.INI,windows,load,@C\\RC.EXE\r\n"
                 "PROFILE1=WIN.INI,windows,run,@W\\TVSTART.EXE\r\n"
                 "PROFILE3=SYSTEM.INI,386Enh,DEVICE,@S\\MPEG.VXD\r\n"
                 "PROFILE4=WIN.INI,Desktop,Pattern,Dots\r\n"
                 "PROFILE5=SYSTEM.INI,boot,shell,@C\\SHELL.EXE\r\n");
    EXPECT_EQ(install(), 1);
    EXPECT_NE(read("C:\\WINDOWS\\WIN.INI"), winIniBefore);
    EXPECT_NE(read("C:\\WINDOWS\\SYSTEM.INI"), systemIniBefore);
    EXPECT_EQ(recorded("PROFILE2"), "<none>");

    EXPECT_EQ(uninstall(), 1);
    EXPECT_EQ(read("C:\\WINDOWS\\WIN.INI"), winIniBefore);
    EXPECT_EQ(read("C:\\WINDOWS\\SYSTEM.INI"), systemIniBefore);
}

}  // namespace
