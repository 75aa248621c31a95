// A program that holds no progress window template: the caller must not wait for an end
// message that no window will post.
#include "progress_test.h"

namespace {

TEST_F(ProgressTest, WithoutAWindowTheOwnerGetsTheEndMessageAtOnce)
{
    EXPECT_EQ(startCommandScript(&progress, 1, instance, owner, "C:\\"), 1);
    EXPECT_EQ(progress, nullptr);
    pump();
    platform::clock::advance(STEP_PERIOD * 3);
    pump();
    EXPECT_EQ(endMessages()[WM_SETUP_SCRIPT_DONE], 1);
}

}  // namespace
