// `pc groups` and `pc start` as a user runs them on a PC whose groups Program Manager has written.
#include "command_interpreter.h"

#include "kernel/pc.h"
#include "process/programs.h"
#include "kernel/testing/test_pc.h"
#include "win/user.h"

#include <gtest/gtest.h>

#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>

namespace fs = std::filesystem;
using platform::testing::readHostFile;
using platform::testing::writeHostFile;

namespace {

const fs::path kPc = fs::path(KIT_BINARY_DIR) / "tools/pc/pc";

class PcCommands : public ::testing::Test {
protected:
    struct Run {
        int exitCode;
        std::string out;
        std::string errors;
    };
    Run groups() { return pc("groups '" + pc_.root().string() + "'"); }
    Run start(const std::string& group, const std::string& item) {
        return pc("start '" + pc_.root().string() + "' '" + group + "' '" + item + "'");
    }
    Run pc(const std::string& arguments) {
        const fs::path out = pc_.root() / "out.txt", errors = pc_.root() / "errors.txt";
        std::string command = "'" + kPc.string() + "' " + arguments + " > '" + out.string() + "' 2> '" + errors.string() + "'";
        int status = std::system(command.c_str());
        return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, readHostFile(out), readHostFile(errors)};
    }

    platform::testing::TestPc pc_;
};

TEST_F(PcCommands, ListsEveryGroupWithItsItemsInUtf8) {
    progman::CommandInterpreter progman;
    ASSERT_TRUE(progman.execute("[CreateGroup(Empty)][CreateGroup(TV \xC7\xD1)]"
                                "[AddItem(\"C:\\TV\\PLAYER.EXE\" MPEG,Player,C:\\TV\\PLAYER.ICO,1,,,C:\\TV)]"
                                "[AddItem(C:\\TV\\README.TXT,Readme)]")
                    .acknowledged);
    Run run = groups();
    EXPECT_EQ(run.exitCode, 0) << run.errors;
    EXPECT_EQ(run.out,
              "Empty  (C:\\WINDOWS\\EMPTY.GRP)\n"
              "  (no items)\n"
              "TV \xED\x95\x9C  (C:\\WINDOWS\\TV.GRP)\n"
              "  Player\n"
              "    command line:      \"C:\\TV\\PLAYER.EXE\" MPEG\n"
              "    icon file:         C:\\TV\\PLAYER.ICO, icon 1\n"
              "    working directory: C:\\TV\n"
              "  Readme\n"
              "    command line:      C:\\TV\\README.TXT\n"
              "    icon file:         (the program's), icon 0\n"
              "    working directory: (none)\n");
}

TEST_F(PcCommands, NamesAGroupFileThatCannotBeReadAndFails) {
    progman::CommandInterpreter progman;
    ASSERT_TRUE(progman.execute("[CreateGroup(Kept)]").acknowledged);
    fs::remove(pc_.host("C:\\WINDOWS\\KEPT.GRP"));
    Run run = groups();
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.out, "no groups\n");
    EXPECT_NE(run.errors.find("C:\\WINDOWS\\KEPT.GRP: the group file is missing"), std::string::npos) << run.errors;
}

TEST_F(PcCommands, InitPutsProgramManagerIntoTheWindowsDirectory) {
    Run run = pc("init '" + (pc_.root() / "fresh").string() + "'");
    ASSERT_EQ(run.exitCode, 0) << run.errors;
    const fs::path image = pc_.root() / "fresh/c/WINDOWS/PROGMAN.EXE";
    ASSERT_TRUE(fs::exists(image));
    EXPECT_NE(fs::status(image).permissions() & fs::perms::owner_exec, fs::perms::none);
}

TEST_F(PcCommands, RefusesAFolderThatIsNoPc) {
    const fs::path notPc = pc_.root() / "plain";
    fs::create_directory(notPc);
    std::string command = "'" + kPc.string() + "' groups '" + notPc.string() + "' 2> '" + (pc_.root() / "e.txt").string() + "'";
    int status = std::system(command.c_str());
    EXPECT_EQ(WEXITSTATUS(status), 1);
    EXPECT_NE(readHostFile(pc_.root() / "e.txt").find("is not a PC folder"), std::string::npos);
}

TEST_F(PcCommands, StartsAnItemAsADoubleClickDoes) {
    fs::create_directories(pc_.host("C:\\TV"));
    fs::copy_file(KIT_TEST_PROGRAM, pc_.host("C:\\TV\\PLAYER.EXE"));
    progman::CommandInterpreter progman;
    ASSERT_TRUE(progman.execute("[CreateGroup(TV Kit)]"
                                "[AddItem(C:\\TV\\PLAYER.EXE StartedPlayer Player Window,Player,,,,,C:\\TV)]"
                                "[AddItem(C:\\TV\\GONE.EXE,Gone)]")
                    .acknowledged);
    // A group file edited by hand can hold a command line that names no program.
    progman::GroupStore store;
    std::optional<progman::ProgramGroup> group = store.find("TV Kit");
    ASSERT_TRUE(group);
    group->items.push_back({"Broken", "\"C:\\TV\\OPEN.EXE", "", 0, std::nullopt, "", 0, false});
    ASSERT_TRUE(store.save(*group));

    Run run = start("tv kit", "PLAYER");
    EXPECT_EQ(run.exitCode, 0) << run.errors;
    EXPECT_EQ(run.out, "started C:\\TV\\PLAYER.EXE StartedPlayer Player Window\n");
    // The program runs on the PC and waits for input with its window.
    HWND player = FindWindowA("StartedPlayer", "Player Window");
    ASSERT_TRUE(player);
    SendMessageTimeoutA(player, WM_CLOSE, 0, 0, SMTO_NORMAL, 10000, nullptr);
    EXPECT_TRUE(platform::process::waitForNoPrograms(std::chrono::seconds(20)));

    struct Case {
        const char* group;
        const char* item;
        const char* message;
    };
    const Case cases[] = {
        {"Nowhere", "Player", "no group \"Nowhere\""},
        {"TV Kit", "Nobody", "no item \"Nobody\" in group \"TV Kit\""},
        {"TV Kit", "Gone", "cannot start \"C:\\TV\\GONE.EXE\": file not found"},
        {"TV Kit", "Broken", "item \"Broken\" has no program in its command line \"\"C:\\TV\\OPEN.EXE\""},
    };
    for (const Case& c : cases) {
        Run failed = start(c.group, c.item);
        EXPECT_EQ(failed.exitCode, 1) << c.item;
        EXPECT_NE(failed.errors.find(c.message), std::string::npos) << failed.errors;
    }
}

}  // namespace
