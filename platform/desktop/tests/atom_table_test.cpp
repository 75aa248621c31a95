#include "desktop/atom_table.h"

#include <gtest/gtest.h>

namespace platform::desktop {
namespace {

TEST(AtomTable, NamesThatAreNoAtoms) {
    AtomTable table;
    EXPECT_EQ(table.add(""), 0);
    EXPECT_EQ(table.add(std::string(256, 'x')), 0);
    EXPECT_NE(table.add(std::string(255, 'x')), 0);
}

TEST(AtomTable, AFullTableRefusesAndAFreedNumberIsUsedAgain) {
    AtomTable table;
    std::uint16_t first = table.add("n0");
    for (int i = 1; i < 0x4000; ++i) ASSERT_NE(table.add("n" + std::to_string(i)), 0) << i;
    EXPECT_EQ(table.add("one too many"), 0);
    EXPECT_TRUE(table.release(first));
    EXPECT_EQ(table.add("one too many"), first);
    EXPECT_EQ(table.name(first), "one too many");
}

}  // namespace
}  // namespace platform::desktop
