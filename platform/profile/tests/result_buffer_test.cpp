#include "profile/profile_number.h"
#include "profile/result_buffer.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace platform::profile {
namespace {

// The buffer after the call, as far as the call may write (SIZE bytes), and the result.
struct Copied {
    DWORD result;
    std::string bytes;
};

Copied stringInto(std::string_view value, DWORD size) {
    std::string buffer(size + 1, '#');  // one guard byte that must stay
    const DWORD result = copyString(value, buffer.data(), size);
    EXPECT_EQ(buffer.back(), '#');
    buffer.pop_back();
    return {result, buffer};
}

Copied listInto(const std::vector<std::string>& items, DWORD size) {
    std::string buffer(size + 1, '#');
    const DWORD result = copyList(items, buffer.data(), size);
    EXPECT_EQ(buffer.back(), '#');
    buffer.pop_back();
    return {result, buffer};
}

struct StringCase {
    const char* value;
    DWORD size;
    DWORD result;
    std::string bytes;
};

TEST(ResultBuffer, StringIsCutToSizeMinusOne) {
    using namespace std::string_literals;
    const StringCase cases[] = {
        {"abc", 10, 3, "abc\0######"s},
        {"abc", 4, 3, "abc\0"s},
        {"abcd", 4, 3, "abc\0"s},
        {"abc", 1, 0, "\0"s},
        {"abc", 0, 0, ""},
    };
    for (const StringCase& c : cases) {
        SCOPED_TRACE(testing::Message() << c.value << " into " << c.size);
        const Copied copied = stringInto(c.value, c.size);
        EXPECT_EQ(copied.result, c.result);
        EXPECT_EQ(copied.bytes, c.bytes);
    }
}

struct ListCase {
    std::vector<std::string> items;
    DWORD size;
    DWORD result;
    std::string bytes;
};

TEST(ResultBuffer, ListEndsInTwoZerosAndIsCutToSizeMinusTwo) {
    using namespace std::string_literals;
    const ListCase cases[] = {
        {{"ab", "c"}, 10, 5, "ab\0c\0\0####"s},
        {{"ab", "c"}, 6, 5, "ab\0c\0\0"s},
        {{"ab", "c"}, 5, 3, "ab\0\0\0"s},
        {{"ab", "cde"}, 6, 4, "ab\0c\0\0"s},
        {{"abcdef"}, 4, 2, "ab\0\0"s},
        {{}, 4, 0, "\0\0##"s},
        {{"ab"}, 2, 0, "\0\0"s},
        {{"ab"}, 1, 0, "\0"s},
        {{"ab"}, 0, 0, ""},
    };
    for (const ListCase& c : cases) {
        SCOPED_TRACE(testing::Message() << c.items.size() << " items into " << c.size);
        const Copied copied = listInto(c.items, c.size);
        EXPECT_EQ(copied.result, c.result);
        EXPECT_EQ(copied.bytes, c.bytes);
    }
}

TEST(ProfileNumber, LeadingDigitsWithSign) {
    const struct {
        const char* text;
        std::optional<int> number;
    } cases[] = {
        {"102abc", 102}, {"-7", -7},         {"+12", 12},      {"0", 0},
        {"abc", std::nullopt}, {"", std::nullopt}, {"-", std::nullopt}, {" 5", std::nullopt},
        {"99999999999", 2147483647}, {"-99999999999", -2147483647 - 1}, {"0x10", 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(leadingNumber(c.text), c.number);
    }
}

}  // namespace
}  // namespace platform::profile
