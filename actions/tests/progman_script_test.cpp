// The Program Manager command scripts, byte for byte.
#include "actions/progman_script.h"

#include "action_test.h"

#include <string>

namespace {

class ProgmanScript : public ActionTest {
protected:
    const std::string script = "C:\\_SETUP.INI";
    const std::string record = "C:\\PLAYER\\_UNSETUP.INI";

    void writeRegister(const std::string& entries) { write(script, "[REGISTER]\r\n" + entries); }
    int install() { return writeProgmanScript(context, ACTION_INSTALL, script.c_str(), record.c_str()); }
    static std::string scriptText() { return read("C:\\WININST.INF"); }
};

const std::string kHead =
    "TITLE:Loading Item in Group.\r\n\r\n"
    "INITIATE:Progman,Progman\r\n\r\n"
    "EXECUTE:[CreateGroup(TV Player)]\r\n";
const std::string kRemoveItem =
    "EXECUTE:[DeleteItem(Remove TV Player)]\r\n"
    "EXECUTE:[AddItem(\"C:\\WINDOWS\\_UNSETUP.EXE\" C:\\PLAYER\\_UNSETUP.INI,Remove TV Player,"
    "\"C:\\WINDOWS\\_UNSETUP.EXE\")]\r\n";
const std::string kTail = "EXECUTE:[ExitProgman(1)]\r\n\r\nTERMINATE:\r\n";

TEST_F(ProgmanScript, InstallScriptHasTheGroupEachItemAndTheRemoveItem)
{
    writeRegister("COUNT=3\r\n"
                  "REGISTER0=Player,PLAYER.EXE\r\n"
                  "REGISTER1=,,Read Me,,@C,README.TXT\r\n"
                  "REGISTER2=Notes,@W,NOTEPAD.EXE C:\\PLAYER\\A,B.TXT\r\n");
    ASSERT_EQ(install(), 1);
    EXPECT_EQ(scriptText(),
              kHead +
                  "EXECUTE:[DeleteItem(Player)]\r\n"
                  "EXECUTE:[AddItem(\"C:\\PLAYER\\PLAYER.EXE\",Player,\"C:\\PLAYER\\PLAYER.EXE\")]\r\n"
                  "EXECUTE:[DeleteItem(Read Me)]\r\n"
                  "EXECUTE:[AddItem(\"C:\\PLAYER\\README.TXT\",Read Me,\"C:\\PLAYER\\README.TXT\")]\r\n"
                  "EXECUTE:[DeleteItem(Notes)]\r\n"
                  "EXECUTE:[AddItem(\"C:\\WINDOWS\\NOTEPAD.EXE C:\\PLAYER\\A,B.TXT\",Notes,"
                  "\"C:\\WINDOWS\\NOTEPAD.EXE C:\\PLAYER\\A,B.TXT\")]\r\n" +
                  kRemoveItem + kTail);
}

TEST_F(ProgmanScript, WithTheRecordFlagOffTheOldRemoveItemIsStillDeletedButNoneIsAdded)
{
    context.record = FALSE;
    writeRegister("COUNT=1\r\nREGISTER0=Player,PLAYER.EXE\r\n");
    ASSERT_EQ(install(), 1);
    EXPECT_EQ(scriptText(),
              kHead +
                  "EXECUTE:[DeleteItem(Player)]\r\n"
                  "EXECUTE:[AddItem(\"C:\\PLAYER\\PLAYER.EXE\",Player,\"C:\\PLAYER\\PLAYER.EXE\")]\r\n"
                  "EXECUTE:[DeleteItem(Remove TV Player)]\r\n" +
                  kTail);
}

TEST_F(ProgmanScript, NoEntriesWriteNoScriptAndANegativeCountWritesNoItems)
{
    write(script, "[SETUP]\r\nUNSETUP=1\r\n");
    EXPECT_EQ(install(), 0);
    EXPECT_FALSE(exists("C:\\WININST.INF"));

    writeRegister("COUNT=-2\r\nREGISTER0=Player,PLAYER.EXE\r\n");
    ASSERT_EQ(install(), 1);
    EXPECT_EQ(scriptText(), kHead + kRemoveItem + kTail);
}

TEST_F(ProgmanScript, EntriesThatNameNoFileOrMakeTooLongALineAreLeftOut)
{
    const std::string longName(240, 'N');
    writeRegister("COUNT=7\r\n"
                  "REGISTER0=Lonely\r\n"
                  "REGISTER1=Bare,@C\r\n"
                  "REGISTER2=Glued,@C\\PLAYER.EXE\r\n"
                  "REGISTER3=" + longName + ",PLAYER.EXE\r\n"
                  "REGISTER4=Other,@X,FILE.EXE\r\n"
                  "REGISTER6=Last,LAST.EXE\r\n");
    ASSERT_EQ(install(), 1);
    EXPECT_EQ(scriptText(),
              kHead +
                  "EXECUTE:[DeleteItem(Other)]\r\n"
                  "EXECUTE:[AddItem(\"C:\\PLAYER\\@X\",Other,\"C:\\PLAYER\\@X\")]\r\n"
                  "EXECUTE:[DeleteItem(Last)]\r\n"
                  "EXECUTE:[AddItem(\"C:\\PLAYER\\LAST.EXE\",Last,\"C:\\PLAYER\\LAST.EXE\")]\r\n" +
                  kRemoveItem + kTail);
}

TEST_F(ProgmanScript, ARemoveItemLineTooLongForTheScriptIsLeftOut)
{
    context.install = "C:\\" + std::string(200, 'P');
    writeRegister("COUNT=1\r\nREGISTER0=Player,P.EXE\r\n");
    ASSERT_EQ(writeProgmanScript(context, ACTION_INSTALL, script.c_str(),
                                 (context.install + "\\_UNSETUP.INI").c_str()),
              1);
    std::string text = scriptText();
    EXPECT_EQ(text.find("_UNSETUP.EXE"), std::string::npos);
    EXPECT_NE(text.find("EXECUTE:[DeleteItem(Remove TV Player)]\r\n" + kTail), std::string::npos);
}

TEST_F(ProgmanScript, RemovalScriptDeletesTheGroupAndReplacesAnOldScript)
{
    write("C:\\WININST.INF", std::string(500, 'x'));
    context.group = "Renamed Group";
    ASSERT_EQ(writeProgmanScript(context, ACTION_UNINSTALL, nullptr, nullptr), 1);
    EXPECT_EQ(scriptText(),
              "TITLE:UnInstall\r\n"
              "INITIATE:Progman,Progman\r\n"
              "EXECUTE:[DeleteGroup(Renamed Group)]\r\n"
              "EXECUTE:[ExitProgman(1)]\r\n"
              "TERMINATE:\r\n");
}

TEST_F(ProgmanScript, NoScriptWhenItCannotBeCreated)
{
    context.programDir = "C:\\MISSING";
    writeRegister("COUNT=1\r\nREGISTER0=Player,PLAYER.EXE\r\n");
    EXPECT_EQ(install(), 0);
    EXPECT_EQ(writeProgmanScript(context, ACTION_UNINSTALL, nullptr, nullptr), 0);
}

}  // namespace
