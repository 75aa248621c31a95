// The installation and removal scripts run by the progress window of this process against the
// Program Manager program in a process of its own, as the setup and uninstall programs meet it.
#include "action_test.h"
#include "progress_test.h"

#include "actions/progman_script.h"
#include "process/programs.h"
#include "win/profile.h"

#include <cstdio>
#include <filesystem>
#include <string>

namespace {

namespace fs = std::filesystem;

class ProgmanEndToEndTest : public ProgressTest {
protected:
    void SetUp() override
    {
        ProgressTest::SetUp();
        // The fast clock: the steps do not wait out their 300 ms, Program Manager inherits it.
        platform::clock::setMode(platform::clock::Mode::fast);
        fs::copy_file(KIT_PROGMAN_PROGRAM, pc.host("C:\\WINDOWS\\PROGMAN.EXE"));
        context.install = "C:\\TV";
        context.group = "TV Kit";
        WritePrivateProfileStringA("REGISTER", "COUNT", "2", "C:\\_SETUP.INI");
        WritePrivateProfileStringA("REGISTER", "REGISTER0", "Player,PLAYER.EXE", "C:\\_SETUP.INI");
        WritePrivateProfileStringA("REGISTER", "REGISTER1", "Readme,@W,README.TXT", "C:\\_SETUP.INI");
    }
    void TearDown() override
    {
        platform::process::waitForNoPrograms(std::chrono::seconds(20));
        ProgressTest::TearDown();
    }

    // Writes the script of MODE and runs it to the end message, as the setup (1) or uninstall
    // (0) program does; then waits for Program Manager to have ended.
    void runScript(int mode)
    {
        ASSERT_EQ(writeProgmanScript(context, static_cast<BYTE>(mode), "C:\\_SETUP.INI", "C:\\TV\\_UNSETUP.INI"), 1);
        UINT endMessage = mode == 1 ? WM_SETUP_SCRIPT_DONE : WM_UNSETUP_SCRIPT_DONE;
        endMessages().clear();
        ASSERT_EQ(startCommandScript(&progress, mode, instance, owner, "C:\\"), 0);
        MSG msg;
        while (endMessages()[endMessage] == 0 && GetMessageA(&msg, nullptr, 0, 0) > 0) {
            if (IsWindow(progress) && IsDialogMessageA(progress, &msg))
                continue;
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
        EXPECT_TRUE(platform::process::waitForNoPrograms(std::chrono::seconds(20))) << "ExitProgman did not end it";
        EXPECT_EQ(FindWindowA("Progman", nullptr), nullptr);
    }

    std::string pcGroups()
    {
        std::string command = std::string(KIT_PC_TOOL) + " groups " + pc.root().string() + " 2>&1";
        std::string output;
        FILE* pipe = popen(command.c_str(), "r");
        char buffer[256];
        while (pipe && fgets(buffer, sizeof buffer, pipe))
            output += buffer;
        if (pipe)
            pclose(pipe);
        return output;
    }

    TestContext context;
};

TEST_F(ProgmanEndToEndTest, InstallTwiceThenRemove)
{
    ASSERT_EQ(FindWindowA("Progman", nullptr), nullptr);
    runScript(1);
    std::string groups = pcGroups();
    for (const char* expected : {"TV Kit", "  Player\n", "command line:      C:\\TV\\PLAYER.EXE\n",
                                 "  Readme\n", "command line:      C:\\WINDOWS\\README.TXT\n", "  Remove TV Kit\n",
                                 "\"C:\\WINDOWS\\_UNSETUP.EXE\" C:\\TV\\_UNSETUP.INI"})
        EXPECT_NE(groups.find(expected), std::string::npos) << expected << " not in:\n" << groups;

    runScript(1);
    EXPECT_EQ(pcGroups(), groups) << "a second installation must leave one item per entry";

    runScript(0);
    EXPECT_EQ(pcGroups(), "no groups\n");
}

}  // namespace
