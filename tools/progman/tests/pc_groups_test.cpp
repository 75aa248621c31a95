// `pc groups` as a user runs it on a PC whose groups Program Manager has written.
#include "command_interpreter.h"

#include "kernel/pc.h"
#include "kernel/testing/test_pc.h"

#include <gtest/gtest.h>

#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>

namespace fs = std::filesystem;
using platform::testing::readHostFile;
using platform::testing::writeHostFile;

namespace {

const fs::path kPc = fs::path(KIT_BINARY_DIR) / "tools/pc/pc";

class PcGroups : public ::testing::Test {
protected:
    struct Run {
        int exitCode;
        std::string out;
        std::string errors;
    };
    Run groups() {
        const fs::path out = pc.root() / "out.txt", errors = pc.root() / "errors.txt";
        std::string command = "'" + kPc.string() + "' groups '" + pc.root().string() + "' > '" + out.string() + "' 2> '" +
                              errors.string() + "'";
        int status = std::system(command.c_str());
        return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, readHostFile(out), readHostFile(errors)};
    }

    platform::testing::TestPc pc;
};

TEST_F(PcGroups, ListsEveryGroupWithItsItemsInUtf8) {
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

TEST_F(PcGroups, NamesAGroupFileThatCannotBeReadAndFails) {
    progman::CommandInterpreter progman;
    ASSERT_TRUE(progman.execute("[CreateGroup(Kept)]").acknowledged);
    fs::remove(pc.host("C:\\WINDOWS\\KEPT.GRP"));
    Run run = groups();
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.out, "no groups\n");
    EXPECT_NE(run.errors.find("C:\\WINDOWS\\KEPT.GRP: the group file is missing"), std::string::npos) << run.errors;
}

TEST_F(PcGroups, RefusesAFolderThatIsNoPc) {
    const fs::path notPc = pc.root() / "plain";
    fs::create_directory(notPc);
    std::string command = "'" + kPc.string() + "' groups '" + notPc.string() + "' 2> '" + (pc.root() / "e.txt").string() + "'";
    int status = std::system(command.c_str());
    EXPECT_EQ(WEXITSTATUS(status), 1);
    EXPECT_NE(readHostFile(pc.root() / "e.txt").find("is not a PC folder"), std::string::npos);
}

}  // namespace
