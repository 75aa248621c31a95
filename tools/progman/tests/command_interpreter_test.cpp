#include "command_interpreter.h"

#include "kernel/testing/test_pc.h"

#include <gtest/gtest.h>

namespace progman {
namespace {

class CommandInterpreterTest : public ::testing::Test {
protected:
    // The items of a group by name, in their order; empty when there is no such group.
    std::vector<std::string> itemNames(const char* group) {
        std::vector<std::string> names;
        if (std::optional<ProgramGroup> found = GroupStore().find(group))
            for (const ProgramItem& item : found->items) names.push_back(item.name);
        return names;
    }

    platform::testing::TestPc pc;
    CommandInterpreter progman;
};

// The executes of an installation with two entries and a removal item, as the setup program sends them.
const char* const kInstallation[] = {
    "[CreateGroup(TV Kit)]",
    "[DeleteItem(Player)]",
    "[AddItem(\"C:\\TV\\PLAYER.EXE\",Player,\"C:\\TV\\PLAYER.EXE\")]",
    "[DeleteItem(Readme)]",
    "[AddItem(\"C:\\WINDOWS\\NOTEPAD.EXE\",Readme,\"C:\\WINDOWS\\NOTEPAD.EXE\")]",
    "[DeleteItem(Remove TV Kit)]",
    "[AddItem(\"C:\\WINDOWS\\_UNSETUP.EXE\" C:\\TV\\_UNSETUP.INI,Remove TV Kit,\"C:\\WINDOWS\\_UNSETUP.EXE\")]",
    "[ExitProgman(1)]",
};

TEST_F(CommandInterpreterTest, ASecondInstallationLeavesOneItemPerEntry) {
    for (int run = 0; run < 2; ++run) {
        CommandInterpreter fresh;  // Program Manager is started anew for each run
        for (const char* execute : kInstallation) fresh.execute(execute);
    }
    EXPECT_EQ(itemNames("TV Kit"), (std::vector<std::string>{"Player", "Readme", "Remove TV Kit"}));
    std::optional<ProgramGroup> group = GroupStore().find("TV Kit");
    ASSERT_TRUE(group);
    EXPECT_EQ(group->items[2].commandLine, "\"C:\\WINDOWS\\_UNSETUP.EXE\" C:\\TV\\_UNSETUP.INI");
    EXPECT_EQ(group->items[2].iconPath, "C:\\WINDOWS\\_UNSETUP.EXE");
    EXPECT_EQ(GroupStore().list().groups.size(), 1u);

    ExecuteResult removal = progman.execute("[DeleteGroup(TV Kit)][ExitProgman(1)]");
    EXPECT_TRUE(removal.acknowledged);
    EXPECT_TRUE(removal.exitRequested);
    EXPECT_TRUE(GroupStore().list().groups.empty());
}

TEST_F(CommandInterpreterTest, AcknowledgementPerExecute) {
    struct Case {
        const char* execute;
        bool acknowledged;
        std::vector<std::string> itemsAfter;  // of group "G", which starts with items A and B
    };
    const Case cases[] = {
        {"[AddItem(C.EXE)]", true, {"A", "B", "C"}},
        {"[additem(X.EXE,A)]", true, {"A", "B"}},  // replaced where it stands
        {"[DeleteItem(a)]", true, {"B"}},
        {"[DeleteItem(Z)]", false, {"A", "B"}},
        // Commands before a failing one stay done, those after it do not run.
        {"[DeleteItem(A)][Frobnicate(1)][DeleteItem(B)]", false, {"B"}},
        {"[DeleteItem(A)][DeleteItem(B)", false, {"A", "B"}},  // malformed: nothing runs
        {"[AddItem(C.EXE,C,,x)]", false, {"A", "B"}},          // icon index not a number
        {"[AddItem(C.EXE,C,,0,10)]", false, {"A", "B"}},       // x without y
        {"[AddItem(,C)]", false, {"A", "B"}},                   // no command line
        {"[AddItem(\"  \",C)]", false, {"A", "B"}},
        {"[AddItem(1,2,3,4,5,6,7,8,9,10)]", false, {"A", "B"}},
        {"[DeleteItem(A,B)]", false, {"A", "B"}},
        {"[ShowGroup(Nowhere,1)][DeleteItem(A)]", false, {"A", "B"}},
        {"[CreateGroup(Other)][DeleteItem(A)]", false, {"A", "B"}},  // A is not in the new current group
    };
    for (const Case& c : cases) {
        GroupStore store;
        for (const ProgramGroup& group : store.list().groups) store.remove(group.name);
        CommandInterpreter fresh;
        ASSERT_TRUE(fresh.execute("[CreateGroup(G)][AddItem(A.EXE,A)][AddItem(B.EXE,B)]").acknowledged);

        ExecuteResult result = fresh.execute(c.execute);
        EXPECT_EQ(result.acknowledged, c.acknowledged) << c.execute << ": " << result.failure;
        EXPECT_EQ(result.failure.empty(), c.acknowledged) << c.execute;
        EXPECT_EQ(itemNames("G"), c.itemsAfter) << c.execute;
    }
}

TEST_F(CommandInterpreterTest, AddItemTakesEveryDocumentedField) {
    ASSERT_TRUE(progman.execute("[CreateGroup(G)]").acknowledged);
    ExecuteResult result = progman.execute("[AddItem(C:\\APP\\RUN.EXE /q, Runner , C:\\APP\\RUN.ICO, 2, 16, 32, C:\\APP, 1601, 1)]"
                                           "[AddItem(\"C:\\My App\\Tool.Exe\" /x)]");
    ASSERT_TRUE(result.acknowledged) << result.failure;
    std::optional<ProgramGroup> group = GroupStore().find("G");
    ASSERT_TRUE(group);
    ASSERT_EQ(group->items.size(), 2u);
    EXPECT_EQ(group->items[0],
              (ProgramItem{"Runner", "C:\\APP\\RUN.EXE /q", "C:\\APP\\RUN.ICO", 2, ItemPosition{16, 32}, "C:\\APP", 1601, true}));
    // Without a name the item is named after its program.
    EXPECT_EQ(group->items[1].name, "Tool");
}

TEST_F(CommandInterpreterTest, CurrentGroupFollowsCreateShowAndDeleteGroup) {
    EXPECT_FALSE(progman.execute("[AddItem(A.EXE)]").acknowledged);  // no current group yet
    ASSERT_TRUE(progman.execute("[CreateGroup(One)][CreateGroup(Two)][AddItem(A.EXE)]").acknowledged);
    ASSERT_TRUE(progman.execute("[ShowGroup(one,1)][AddItem(B.EXE)]").acknowledged);
    ASSERT_TRUE(progman.execute("[CreateGroup(TWO)][AddItem(C.EXE)]").acknowledged);  // existing: made current
    EXPECT_EQ(itemNames("One"), std::vector<std::string>{"B"});
    EXPECT_EQ(itemNames("Two"), (std::vector<std::string>{"A", "C"}));
    EXPECT_EQ(GroupStore().list().groups.size(), 2u);

    ASSERT_TRUE(progman.execute("[DeleteGroup(Two)]").acknowledged);
    EXPECT_EQ(progman.currentGroup(), "");
    EXPECT_FALSE(progman.execute("[AddItem(D.EXE)]").acknowledged);
    EXPECT_FALSE(progman.execute("[DeleteGroup(Two)]").acknowledged);
}

}  // namespace
}  // namespace progman
