// Program Manager as setup programs meet it: PROGMAN.EXE in the Windows directory, started by
// WinExec("Progman") when no server answers, talking DDE with a program in another process.
#include "testing/dde_client.h"
#include "program_groups.h"

#include "kernel/testing/test_pc.h"
#include "process/programs.h"
#include "win/process.h"
#include "win/user.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace {

namespace fs = std::filesystem;

// The executes of an installation with two entries and its removal item, as setup sends them.
const char* const kInstallation[] = {
    "[CreateGroup(TV Kit)]",
    "[DeleteItem(Player)]",
    "[AddItem(\"C:\\TV\\PLAYER.EXE\",Player,\"C:\\TV\\PLAYER.EXE\")]",
    "[DeleteItem(Readme)]",
    "[AddItem(\"C:\\TV\\README.EXE\",Readme,\"C:\\TV\\README.EXE\")]",
    "[DeleteItem(Remove TV Kit)]",
    "[AddItem(\"C:\\WINDOWS\\_UNSETUP.EXE\" C:\\TV\\_UNSETUP.INI,Remove TV Kit,\"C:\\WINDOWS\\_UNSETUP.EXE\")]",
};

class ProgmanProgramTest : public ::testing::Test {
protected:
    void SetUp() override { fs::copy_file(KIT_PROGMAN_PROGRAM, pc.host("C:\\WINDOWS\\PROGMAN.EXE")); }
    void TearDown() override { platform::process::waitForNoPrograms(std::chrono::seconds(20)); }

    // Initiates as setup does: when nobody answers, Program Manager is started and asked again.
    HWND connect(progman::testing::DdeClient& client) {
        if (HWND server = client.initiate()) return server;
        EXPECT_GT(WinExec("Progman", SW_SHOWNORMAL), 31u);
        return client.initiate();
    }

    std::vector<std::string> itemNames(const char* group) {
        std::vector<std::string> names;
        if (std::optional<progman::ProgramGroup> found = progman::GroupStore().find(group))
            for (const progman::ProgramItem& item : found->items) names.push_back(item.name);
        return names;
    }

    platform::testing::TestPc pc;
};

TEST_F(ProgmanProgramTest, InstallTwiceThenRemoveAcrossProcesses) {
    progman::testing::DdeClient client;
    for (int run = 0; run < 2; ++run) {
        HWND server = connect(client);
        ASSERT_TRUE(server) << "run " << run + 1;
        EXPECT_EQ(FindWindowA("Progman", "Program Manager"), server);
        for (const char* execute : kInstallation) EXPECT_TRUE(client.execute(server, execute)) << execute;
        EXPECT_EQ(client.request(server, "Groups"), "TV Kit\r\n");
        EXPECT_EQ(client.execute(server, "[ExitProgman(1)]"), 0x8000);
        EXPECT_TRUE(client.awaitTerminate(server));
        ASSERT_TRUE(platform::process::waitForNoPrograms(std::chrono::seconds(20)));
        EXPECT_FALSE(IsWindow(server));
    }
    EXPECT_EQ(itemNames("TV Kit"), (std::vector<std::string>{"Player", "Readme", "Remove TV Kit"}));

    HWND server = connect(client);
    ASSERT_TRUE(server);
    EXPECT_EQ(client.execute(server, "[DeleteGroup(TV Kit)]"), 0x8000);
    EXPECT_EQ(client.execute(server, "[DeleteGroup(TV Kit)]"), 0);
    EXPECT_EQ(client.execute(server, "[ExitProgman(1)]"), 0x8000);
    EXPECT_TRUE(client.awaitTerminate(server));
    EXPECT_TRUE(progman::GroupStore().list().groups.empty());
}

TEST_F(ProgmanProgramTest, ASecondProgramManagerLeavesTheFirstAlone) {
    progman::testing::DdeClient client;
    HWND server = connect(client);
    ASSERT_TRUE(server);
    EXPECT_GT(WinExec("C:\\WINDOWS\\PROGMAN.EXE", SW_SHOWNORMAL), 31u);
    EXPECT_EQ(client.initiate(), server);  // still one answer, from the first
    EXPECT_EQ(client.execute(server, "[ExitProgman(0)]"), 0x8000);
    EXPECT_TRUE(client.awaitTerminate(server));
}

}  // namespace
