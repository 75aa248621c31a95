#include "process/programs.h"

#include <gtest/gtest.h>

namespace platform::process {
namespace {

TEST(CommandLineTail, IsWhatFollowsTheProgramNameAndItsBlanksVerbatim) {
    struct Case {
        const char* line;
        const char* tail;
    } cases[] = {
        {"C:\\_SETUP.EXE A:\\", "A:\\"},
        {"C:\\_SETUP.EXE   A:\\  ", "A:\\  "},
        {"\"C:\\My Dir\\P.EXE\" \"quoted arg\" x", "\"quoted arg\" x"},
        {"P.EXE", ""},
        {"P.EXE\t\tC:\\X", "C:\\X"},
        {"  P.EXE C:\\A B", "C:\\A B"},
    };
    for (const Case& c : cases) EXPECT_EQ(commandLineTail(c.line), c.tail) << c.line;
}

}  // namespace
}  // namespace platform::process
