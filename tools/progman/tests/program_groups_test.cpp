#include "program_groups.h"

#include "kernel/testing/test_pc.h"

#include <gtest/gtest.h>

namespace progman {
namespace {

using platform::testing::readHostFile;
using platform::testing::writeHostFile;

class ProgramGroupsTest : public ::testing::Test {
protected:
    platform::testing::TestPc pc;
    GroupStore store;
};

TEST_F(ProgramGroupsTest, GroupsAndEveryItemFieldSurviveTheFiles) {
    std::optional<ProgramGroup> group = store.create("Tools");
    ASSERT_TRUE(group);
    EXPECT_EQ(group->file, "C:\\WINDOWS\\TOOLS.GRP");
    // Values whose ends are blanks or quotes, and names with "=" and ";", come back unchanged.
    group->items = {
        {"Editor", "\"C:\\APP DIR\\EDIT.EXE\" /N", "C:\\APP DIR\\EDIT.ICO", 3, ItemPosition{-5, 40}, "C:\\WORK", 1601, true},
        {" spaced = name ; ", "\"X.EXE\"", "", 0, std::nullopt, "", 0, false},
    };
    ASSERT_TRUE(store.save(*group));

    std::optional<ProgramGroup> again = GroupStore().find("TOOLS");
    ASSERT_TRUE(again);
    EXPECT_EQ(again->name, "Tools");
    EXPECT_EQ(again->items, group->items);
}

TEST_F(ProgramGroupsTest, GroupsKeepTheirOrderAndGetDistinctReadableFiles) {
    const char* names[] = {"My Tools", "My-Tools", "\xC7\xD1\xB1\xDB", "Games"};
    for (const char* name : names) ASSERT_TRUE(store.create(name)) << name;
    GroupListing listing = store.list();
    ASSERT_EQ(listing.groups.size(), 4u);
    const char* files[] = {"C:\\WINDOWS\\MYTOOLS.GRP", "C:\\WINDOWS\\MYTOOLS1.GRP", "C:\\WINDOWS\\GROUP.GRP",
                           "C:\\WINDOWS\\GAMES.GRP"};
    for (std::size_t i = 0; i < 4; ++i) {
        EXPECT_EQ(listing.groups[i].name, names[i]);
        EXPECT_EQ(listing.groups[i].file, files[i]);
    }
    EXPECT_TRUE(listing.problems.empty());

    // A group added after a removal goes to the end of the list.
    ASSERT_TRUE(store.remove("my tools"));
    EXPECT_FALSE(std::filesystem::exists(pc.host("C:\\WINDOWS\\MYTOOLS.GRP")));
    ASSERT_TRUE(store.create("Last"));
    listing = store.list();
    ASSERT_EQ(listing.groups.size(), 4u);
    EXPECT_EQ(listing.groups.front().name, "My-Tools");
    EXPECT_EQ(listing.groups.back().name, "Last");
    EXPECT_FALSE(store.remove("Nowhere"));
}

TEST_F(ProgramGroupsTest, AGroupFileNamedByTheCallerIsUsedOnceOnly) {
    std::optional<ProgramGroup> group = store.create("Mine", "OWN.GRP");
    ASSERT_TRUE(group);
    EXPECT_EQ(group->file, "C:\\WINDOWS\\OWN.GRP");
    EXPECT_FALSE(store.create("Other", "c:\\windows\\own.grp"));
    EXPECT_FALSE(store.create("Other", "Q:\\OWN.GRP"));  // no such drive
    EXPECT_EQ(store.list().groups.size(), 1u);
}

TEST_F(ProgramGroupsTest, FewerItemsLeaveNoStaleSections) {
    std::optional<ProgramGroup> group = store.create("Tools");
    ASSERT_TRUE(group);
    for (const char* name : {"A", "B", "C"}) group->items.push_back(ProgramItem{name, std::string(name) + ".EXE", "", 0, std::nullopt, "", 0, false});
    ASSERT_TRUE(store.save(*group));
    group->items.erase(group->items.begin());
    ASSERT_TRUE(store.save(*group));

    const std::string text = readHostFile(pc.host("C:\\WINDOWS\\TOOLS.GRP"));
    EXPECT_EQ(text.find("[Item2]"), std::string::npos) << text;
    EXPECT_EQ(store.find("Tools")->items, group->items);
}

TEST_F(ProgramGroupsTest, UnreadableGroupFilesAreReportedByNameAndTheRestListed) {
    ASSERT_TRUE(store.create("Good"));
    writeHostFile(pc.host("C:\\WINDOWS\\PROGMAN.INI"),
                  readHostFile(pc.host("C:\\WINDOWS\\PROGMAN.INI")) +
                      "Group7=C:\\WINDOWS\\GONE.GRP\r\nGroup8=C:\\WINDOWS\\BROKEN.GRP\r\n");
    writeHostFile(pc.host("C:\\WINDOWS\\BROKEN.GRP"), "[Group]\r\nName=Broken\r\nCount=2\r\n[Item0]\r\nName=X\r\n");

    GroupListing listing = store.list();
    ASSERT_EQ(listing.groups.size(), 1u);
    EXPECT_EQ(listing.groups[0].name, "Good");
    ASSERT_EQ(listing.problems.size(), 2u);
    EXPECT_NE(listing.problems[0].find("C:\\WINDOWS\\GONE.GRP: the group file is missing (Group7 in C:\\WINDOWS\\PROGMAN.INI)"),
              std::string::npos) << listing.problems[0];
    EXPECT_NE(listing.problems[1].find("C:\\WINDOWS\\BROKEN.GRP: [Item0] lacks its Name or Command"), std::string::npos)
        << listing.problems[1];
}

}  // namespace
}  // namespace progman
