// The whole installation in this process: the steps, the files, the record, the registry, the
// Program Manager group and the system files; the ways out; the mended faults.
#include "setup_test.h"

#include "lz/compress.h"
#include "program_groups.h"
#include "win/gdi.h"
#include "win/paint.h"
#include "win/registry.h"

#include <algorithm>

namespace {

using namespace setup_testing;

std::string crlf(std::string text)
{
    std::string out;
    for (char c : text) {
        if (c == '\n')
            out += '\r';
        out += c;
    }
    return out;
}

class Sequence : public SetupTest {
protected:
    void script(const std::string& text) { write("C:\\_SETUP.INI", crlf(text)); }
    void disk(const std::string& name, const std::string& content) { write("A:\\" + name, content); }
    void compressedDisk(const std::string& name, const std::string& content)
    {
        std::vector<std::uint8_t> packed =
            platform::lz::compress({reinterpret_cast<const std::uint8_t*>(content.data()), content.size()});
        write("A:\\" + name, std::string(packed.begin(), packed.end()));
    }
    std::string record(const char* section, const char* key, const std::string& path = "C:\\TVPLAYER")
    {
        return profile(path + "\\_UNSETUP.INI", section, key);
    }
};

const char kWholeScript[] = R"([SETUP]
VERSION=TV Player 2.0
TITLE=TV Player Setup
BOOT=3
[GROUP]
COUNT=2
PATH=C:\TVPLAYER
NAME=TV Player
[GROUP0]
COUNT=2
EXEC=@W,NOTHERE.EXE
UNEXEC=@C,REMOVE0.EXE
ITEM0=@C,PLAYER.EX_,PLAYER.EXE
ITEM1=@W,,README.TXT,PLAYER.TXT
[GROUP1]
COUNT=1
EXEC=@X,NOTHERE.EXE
UNEXEC=@W,REMOVE1.EXE
ITEM0=@Sxyz,MPEG.VXD,MPEG.VXD
[DELETE]
COUNT=2
DELETE0=@W,OLD.DRV
DELETE1=@C,MISSING.TXT
[REGISTER]
COUNT=1
REGISTER0=TV Player,PLAYER.EXE
[REGISTRY]
COUNT=1
REGISTRY0=HKEY_LOCAL_MACHINE,SOFTWARE\Tavel\Player,Version,2.0
[PROFILE]
COUNT=5
PROFILE0=WIN.INI,windows,load,@C\PLAYER.EXE
PROFILE1=SYSTEM.INI,386Enh,device,@S\MPEG.VXD
PROFILE2=CONFIG.SYS,DEVICE=C:\TVPLAYER\TVCARD.SYS
PROFILE3=AUTOEXEC.BAT,@C\TVINIT.EXE
PROFILE4=@C\PLAYER.INI,Player,Home,@C
)";

TEST_F(Sequence, InstallsEveryPartOfTheScriptAndRecordsIt)
{
    script(kWholeScript);
    compressedDisk("PLAYER.EX_", "the player program");
    disk("README.TXT", "notes");
    disk("MPEG.VXD", "capture device");
    write("C:\\WINDOWS\\OLD.DRV", "old");
    // The Program Manager that the command script starts, as on a PC made by pc init.
    std::filesystem::copy_file(KIT_PROGMAN_PROGRAM, host("C:\\WINDOWS\\PROGMAN.EXE"));

    run({{"EXECPATH",
          [](HWND dialog) {
              EXPECT_EQ(dialogText(dialog, IDC_TITLE), "TV Player Setup");
              EXPECT_EQ(dialogText(dialog, IDC_PATH), "C:\\TVPLAYER");
              EXPECT_EQ(dialogText(dialog, IDC_GROUP), "TV Player");
              PostMessageA(dialog, WM_COMMAND, IDOK, 0);
              return true;
          }},
         {"REBOOTDLG", press(IDCANCEL)}});

    std::vector<std::string> dialogs;
    std::copy_if(seen.begin(), seen.end(), std::back_inserter(dialogs),
                 [](const std::string& name) { return name != "InstDosWinClass"; });
    EXPECT_EQ(dialogs, (std::vector<std::string>{"EXECPATH", "FILECOPY", "REBOOTDLG"}));

    // Files: expanded, copied plain, into each location; the listed deletion done.
    EXPECT_EQ(read("C:\\TVPLAYER\\PLAYER.EXE"), "the player program");
    EXPECT_EQ(read("C:\\WINDOWS\\PLAYER.TXT"), "notes");
    EXPECT_EQ(read("C:\\WINDOWS\\SYSTEM\\MPEG.VXD"), "capture device");
    EXPECT_FALSE(exists("C:\\WINDOWS\\OLD.DRV"));
    // The staging is gone.
    EXPECT_FALSE(exists("C:\\_SETUP.INI"));
    EXPECT_FALSE(exists("C:\\WININST.INF"));

    struct Line {
        const char* section;
        const char* key;
        const char* value;
    };
    const Line lines[] = {
        {"GROUP0", "COUNT", "2"},           {"GROUP0", "EXEC", "@C,REMOVE0.EXE"},
        {"GROUP0", "ITEM0", "@C,PLAYER.EXE"}, {"GROUP0", "ITEM1", "@W,PLAYER.TXT"},
        {"GROUP1", "COUNT", "1"},           {"GROUP1", "EXEC", "@W,REMOVE1.EXE"},
        {"GROUP1", "ITEM0", "@S,MPEG.VXD"},   {"GROUP2", "COUNT", "0"},
        {"GROUP", "COUNT", "2"},            {"GROUP", "NAME", "TV Player"},
        {"GROUP", "PATH", "C:\\TVPLAYER"},   {"SETUP", "VERSION", "TV Player 2.0"},
        {"SETUP", "TITLE", "TV Player Setup"}, {"SETUP", "BOOT", "1"},
        {"REGISTRY", "COUNT", "1"},         {"PROFILE", "COUNT", "5"},
    };
    for (const Line& line : lines)
        EXPECT_EQ(record(line.section, line.key), line.value) << line.section << " " << line.key;

    HKEY key = nullptr;
    ASSERT_EQ(RegOpenKeyExA(HKEY_LOCAL_MACHINE, "SOFTWARE\\Tavel\\Player", 0, KEY_READ, &key), ERROR_SUCCESS);
    char version[32] = "";
    DWORD size = sizeof version;
    EXPECT_EQ(RegQueryValueExA(key, "Version", nullptr, nullptr, reinterpret_cast<LPBYTE>(version), &size),
              ERROR_SUCCESS);
    EXPECT_STREQ(version, "2.0");
    RegCloseKey(key);

    std::optional<progman::ProgramGroup> group = progman::GroupStore().find("TV Player");
    ASSERT_TRUE(group.has_value());
    EXPECT_NE(group->findItem("TV Player"), nullptr);
    EXPECT_NE(group->findItem("Remove TV Player"), nullptr);

    EXPECT_NE(profile("WIN.INI", "windows", "load").find("C:\\TVPLAYER\\PLAYER.EXE"), std::string::npos);
    EXPECT_NE(read("C:\\WINDOWS\\SYSTEM.INI").find("C:\\WINDOWS\\SYSTEM\\MPEG.VXD"), std::string::npos);
    EXPECT_NE(read("C:\\CONFIG.SYS").find("DEVICE=C:\\TVPLAYER\\TVCARD.SYS"), std::string::npos);
    EXPECT_NE(read("C:\\AUTOEXEC.BAT").find("C:\\TVPLAYER\\TVINIT.EXE"), std::string::npos);
    EXPECT_EQ(profile("C:\\TVPLAYER\\PLAYER.INI", "Player", "Home"), "C:\\TVPLAYER");
}

TEST_F(Sequence, CancelInTheDestinationDialogInstallsNothing)
{
    script("[GROUP]\nCOUNT=1\n[GROUP0]\nCOUNT=1\nITEM0=@C,A.TXT,A.TXT\n");
    disk("A.TXT", "a");
    run({{"EXECPATH", press(IDCANCEL)}});
    EXPECT_EQ(seen, std::vector<std::string>{"EXECPATH"});
    EXPECT_FALSE(exists("C:\\TAVEL"));
    EXPECT_FALSE(exists("C:\\_SETUP.INI"));
}

TEST_F(Sequence, AnUnusablePathLeadsBackToTheDestinationDialogWithThePathAsTyped)
{
    script("[GROUP]\nNAME=Player\n");
    const std::string tooLong = "C:\\" + std::string(130, 'A');
    struct Case {
        std::string path;
    };
    const Case cases[] = {{"C:\\TAVEL\\"}, {"TAVEL"}, {""}, {tooLong}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.path);
        script("[GROUP]\nNAME=Player\n");
        run({{"EXECPATH", enterDestination(c.path, "Changed")},
             {"Setup Error", press(IDOK)},
             {"EXECPATH",
              [&](HWND dialog) {
                  EXPECT_EQ(dialogText(dialog, IDC_PATH), c.path);
                  EXPECT_EQ(dialogText(dialog, IDC_GROUP), "Player");
                  PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
                  return true;
              }}});
        EXPECT_EQ(seen, (std::vector<std::string>{"EXECPATH", "Setup Error", "EXECPATH"}));
    }
    // The long path was refused whole, not cut into a shorter directory.
    for (const auto& entry : std::filesystem::directory_iterator(host("C:\\")))
        EXPECT_NE(entry.path().filename().string().substr(0, 4), "AAAA");
}

TEST_F(Sequence, AFailedCopyLeavesWhatWasDoneAndKeepsAnExistingDestination)
{
    script("[GROUP]\nCOUNT=1\nPATH=C:\\TVPLAYER\n[GROUP0]\nCOUNT=4\n"
           "ITEM0=@C,A.TXT,A.TXT\nITEM1=@C,B.TXT,B.TXT\nITEM2=@C,GONE.TXT,KEEP.TXT\nITEM3=@C,D.TXT,D.TXT\n");
    disk("A.TXT", "a");
    disk("B.TXT", "b");
    disk("D.TXT", "d");
    CreateDirectoryA("C:\\TVPLAYER", nullptr);
    write("C:\\TVPLAYER\\KEEP.TXT", "precious");

    HWND copyDialog = nullptr;
    watch = [&](HWND active) {
        if (windowName(active) == "FILECOPY")
            copyDialog = active;
    };
    int barWidth = -1;
    run({{"EXECPATH", press(IDOK)},
         {"Setup Error",
          [&](HWND box) {
              // The bar shows two of four files.
              RECT bar;
              GetWindowRect(GetDlgItem(copyDialog, IDC_PROGRESS), &bar);
              POINT corner = {bar.left, bar.top};
              ScreenToClient(copyDialog, &corner);
              int width = bar.right - bar.left;
              int row = corner.y + 1;  // above the percentage
              HDC dc = GetDC(copyDialog);
              barWidth = 0;
              for (int x = corner.x + 1; x < corner.x + width - 1; ++x)
                  if (GetPixel(dc, x, row) == RGB(0, 0, 0))
                      barWidth = x - corner.x;
              ReleaseDC(copyDialog, dc);
              EXPECT_EQ(barWidth, (width - 2) * 2 / 4) << "bar of 50 %";
              PostMessageA(box, WM_COMMAND, IDOK, 0);
              return true;
          }}});

    EXPECT_EQ(read("C:\\TVPLAYER\\A.TXT"), "a");
    EXPECT_EQ(read("C:\\TVPLAYER\\B.TXT"), "b");
    EXPECT_EQ(read("C:\\TVPLAYER\\KEEP.TXT"), "precious");
    EXPECT_FALSE(exists("C:\\TVPLAYER\\D.TXT"));
    EXPECT_EQ(record("GROUP0", "ITEM1"), "@C,B.TXT");
    EXPECT_EQ(record("GROUP0", "ITEM2"), "<none>");
    EXPECT_EQ(record("GROUP", "PATH"), "<none>");
}

TEST_F(Sequence, ScriptsOfFewGroupsAndNoRecord)
{
    struct Case {
        const char* name;
        const char* script;
        const char* section;
        const char* key;
        const char* recorded;  // in C:\TVPLAYER\_UNSETUP.INI, "<none>" when absent
    };
    const Case cases[] = {
        {"no [GROUP]", "[GROUP]\nPATH=C:\\TVPLAYER\n", "GROUP", "COUNT", "0"},
        {"no [GROUP]", "[GROUP]\nPATH=C:\\TVPLAYER\n", "GROUP0", "COUNT", "0"},
        {"UNSETUP=0", "[SETUP]\nUNSETUP=0\n[GROUP]\nCOUNT=1\nPATH=C:\\TVPLAYER\n[GROUP0]\nCOUNT=1\nITEM0=@C,A.TXT,A.TXT\n",
         "GROUP", "COUNT", "<none>"},
        {"UNSETUP=0", "[SETUP]\nUNSETUP=0\n[GROUP]\nCOUNT=1\nPATH=C:\\TVPLAYER\n[GROUP0]\nCOUNT=1\nITEM0=@C,A.TXT,A.TXT\n",
         "GROUP0", "ITEM0", "<none>"},
        // An empty group before a group with files is passed over.
        {"empty group first",
         "[GROUP]\nCOUNT=2\nPATH=C:\\TVPLAYER\n[GROUP0]\nCOUNT=0\nUNEXEC=@C,U.EXE\n[GROUP1]\nCOUNT=1\nITEM0=@C,A.TXT,A.TXT\n",
         "GROUP0", "EXEC", "@C,U.EXE"},
        {"empty group first",
         "[GROUP]\nCOUNT=2\nPATH=C:\\TVPLAYER\n[GROUP0]\nCOUNT=0\nUNEXEC=@C,U.EXE\n[GROUP1]\nCOUNT=1\nITEM0=@C,A.TXT,A.TXT\n",
         "GROUP1", "ITEM0", "@C,A.TXT"},
        // The script's restart kind is recorded even where the record had none.
        {"restart kind 4", "[SETUP]\nBOOT=4\n[GROUP]\nPATH=C:\\TVPLAYER\n", "SETUP", "BOOT", "1"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.name) + " " + c.section + " " + c.key);
        std::filesystem::remove_all(host("C:\\TVPLAYER"));
        script(c.script);
        disk("A.TXT", "a");
        std::vector<Answer> answers = {{"EXECPATH", press(IDOK)}};
        if (std::string(c.name) == "restart kind 4")
            answers.push_back({"EXITDLG", press(IDCANCEL)});
        run(answers);
        EXPECT_EQ(record(c.section, c.key), c.recorded);
        EXPECT_EQ(std::find(seen.begin(), seen.end(), "Setup Error"), seen.end()) << "a copy error";
    }
}

}  // namespace
