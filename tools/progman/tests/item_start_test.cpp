#include "item_start.h"

#include <gtest/gtest.h>

namespace progman {
namespace {

TEST(ItemStartTest, CommandLineBecomesFileParametersAndDirectory) {
    struct Case {
        const char* commandLine;
        const char* workingDirectory;
        bool minimize;
        std::optional<ItemStart> expected;
    };
    const Case cases[] = {
        {"C:\\TV\\PLAYER.EXE", "", false, ItemStart{"C:\\TV\\PLAYER.EXE", "", "C:\\TV", false}},
        {"C:\\TV\\PLAYER.EXE  MPEG /x", "C:\\WORK", true, ItemStart{"C:\\TV\\PLAYER.EXE", "MPEG /x", "C:\\WORK", true}},
        // The uninstall item: a quoted program with blanks in its path and an argument after it.
        {"\"C:\\MY WIN\\_UNSETUP.EXE\" C:\\TV\\_UNSETUP.INI", "", false,
         ItemStart{"C:\\MY WIN\\_UNSETUP.EXE", "C:\\TV\\_UNSETUP.INI", "C:\\MY WIN", false}},
        {"C:\\GO.EXE", "", false, ItemStart{"C:\\GO.EXE", "", "C:\\", false}},  // the drive's root keeps its backslash
        {"NOTEPAD.EXE README.TXT", "", false, ItemStart{"NOTEPAD.EXE", "README.TXT", "", false}},
        {"", "", false, std::nullopt},
        {"   ", "", false, std::nullopt},
        {"\"\" X", "", false, std::nullopt},
        {"\"C:\\OPEN.EXE", "", false, std::nullopt},
    };
    for (const Case& c : cases) {
        ProgramItem item{"Item", c.commandLine, "", 0, std::nullopt, c.workingDirectory, 0, c.minimize};
        EXPECT_EQ(itemStart(item), c.expected) << c.commandLine;
    }
}

}  // namespace
}  // namespace progman
