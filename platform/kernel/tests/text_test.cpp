#include "kernel/text.h"

#include <gtest/gtest.h>

namespace {

TEST(Text, CodePagesToAndFromUtf8) {
    struct Case {
        const char* bytes;
        int codePage;
        const char* utf8;
    } cases[] = {
        {"plain ASCII", 949, "plain ASCII"},
        {"\xC7\xD1\xB1\xDB", 949, "\xED\x95\x9C\xEA\xB8\x80"},  // Hangul
        {"caf\xE9", 1252, "caf\xC3\xA9"},
        {"\x80", 1252, "\xE2\x82\xAC"},  // the euro sign
    };
    for (const Case& c : cases) {
        EXPECT_EQ(platform::text::toUtf8(c.bytes, c.codePage), c.utf8);
        EXPECT_EQ(platform::text::fromUtf8(c.utf8, c.codePage), c.bytes);
    }
    // What does not convert is replaced, and the rest survives.
    EXPECT_EQ(platform::text::fromUtf8("a\xED\x95\x9C" "b", 1252), "a?b");
    EXPECT_EQ(platform::text::toUtf8("a\xC7" "", 949), "a\xEF\xBF\xBD");
    EXPECT_EQ(platform::text::convert("\x82", 437, 1252), "\xE9");  // OEM e-acute to ANSI
}

}  // namespace
