#include "profile/ini_document.h"

#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <string>

namespace platform::profile {
namespace {

struct ReadCase {
    const char* name;
    std::string text;
    const char* section;
    const char* key;
    std::optional<std::string> expected;
};

class IniRead : public testing::TestWithParam<ReadCase> {};

TEST_P(IniRead, FindsTheValueByTheProfileRules) {
    const ReadCase& c = GetParam();
    const IniDocument document(c.text);
    const auto value = document.value(c.section, c.key);
    ASSERT_EQ(value.has_value(), c.expected.has_value());
    if (value) {
        EXPECT_EQ(*value, *c.expected);
    }
}

const std::string kLongValue(10000, 'v');

INSTANTIATE_TEST_SUITE_P(
    Cases, IniRead,
    testing::Values(
        ReadCase{"NamesIgnoreCase", "[Setup]\r\nVersion=2\r\n", "SETUP", "version", "2"},
        ReadCase{"BlanksAroundEqualsAndValueDropped", "[s]\r\n  key \t=  a b  \t\r\n", "s", "key", "a b"},
        ReadCase{"DoubleQuotesRemoved", "[s]\nk=\" padded \"\n", "s", "k", " padded "},
        ReadCase{"SingleQuotesRemoved", "[s]\nk='x'\n", "s", "k", "x"},
        ReadCase{"MismatchedQuotesKept", "[s]\nk=\"x'\n", "s", "k", "\"x'"},
        ReadCase{"LoneQuoteKept", "[s]\nk=\"\n", "s", "k", "\""},
        ReadCase{"OnlyOnePairOfQuotesRemoved", "[s]\nk=\"\"x\"\"\n", "s", "k", "\"x\""},
        ReadCase{"CommentLineIsNoKey", "[s]\n;k=1\n", "s", ";k", std::nullopt},
        ReadCase{"IndentedCommentIsNoKey", "[s]\n  ; k=1\n", "s", "; k", std::nullopt},
        ReadCase{"SemicolonInsideValueKept", "[s]\nk=a ; b\n", "s", "k", "a ; b"},
        ReadCase{"FirstDuplicateKeyWins", "[s]\nk=1\nK=2\n", "s", "k", "1"},
        ReadCase{"FirstDuplicateSectionWins", "[s]\na=1\n[S]\na=2\nb=3\n", "s", "a", "1"},
        ReadCase{"KeyOnlyInLaterDuplicateSectionUnseen", "[s]\na=1\n[S]\nb=3\n", "s", "b", std::nullopt},
        ReadCase{"KeyBeforeAnySectionUnseen", "k=1\n[s]\n", "s", "k", std::nullopt},
        ReadCase{"KeyOfOtherSectionUnseen", "[a]\nk=1\n[b]\n", "b", "k", std::nullopt},
        ReadCase{"LineWithoutEqualsIsNoKey", "[s]\nk\n", "s", "k", std::nullopt},
        ReadCase{"EmptyValueIsPresent", "[s]\nk=\r\n", "s", "k", ""},
        ReadCase{"EqualsInsideValueKept", "[s]\nk=a=b\n", "s", "k", "a=b"},
        ReadCase{"HeaderNameTrimmed", "[ my sec ] ; note\nk=1\n", "my sec", "k", "1"},
        ReadCase{"HeaderWithoutClosingBracket", "[open\nk=1\n", "open", "k", "1"},
        ReadCase{"LastLineWithoutLineEnd", "[s]\r\nk=last", "s", "k", "last"},
        ReadCase{"MixedLineEnds", "[a]\r\nx=1\n[b]\ny=2\r\n", "b", "y", "2"},
        ReadCase{"LongValueWhole", "[s]\nk=" + kLongValue + "\n", "s", "k", kLongValue},
        ReadCase{"MissingSection", "[s]\nk=1\n", "t", "k", std::nullopt}),
    [](const testing::TestParamInfo<ReadCase>& info) { return info.param.name; });

TEST(IniList, SectionAndKeyNamesOnceInFileOrder) {
    const IniDocument document("k=0\n[one]\nb=1\n;c=1\na=2\nB=3\n[two]\n[ONE]\nz=9\n");
    EXPECT_EQ(document.sectionNames(), (std::vector<std::string_view>{"one", "two"}));
    EXPECT_EQ(document.keyNames("One"), (std::vector<std::string_view>{"b", "a"}));
    EXPECT_TRUE(document.keyNames("two").empty());
    EXPECT_TRUE(document.keyNames("three").empty());
    EXPECT_EQ(document.entries("one"), (std::vector<std::string>{"b=1", "a=2", "B=3"}));
}

TEST(IniNames, DoubleByteTrailBytesAreNotFolded) {
    // In code page 949 "\xB0\x41" and "\xB0\x61" are two different characters.
    const std::string text = "[\xB0\x41]\nKey=1\n";
    const IniDocument korean(text, NameFolding(949));
    EXPECT_TRUE(korean.value("\xB0\x41", "KEY").has_value());
    EXPECT_FALSE(korean.value("\xB0\x61", "key").has_value());
    EXPECT_EQ(NameFolding(949).fold("AB\xB0\x41" "Cd"), "ab\xB0\x41" "cd");
}

struct WriteCase {
    const char* name;
    std::string before;
    std::function<std::string(const IniDocument&)> edit;
    std::string after;
};

class IniWrite : public testing::TestWithParam<WriteCase> {};

TEST_P(IniWrite, ChangesOnlyWhatTheEditNames) {
    const WriteCase& c = GetParam();
    EXPECT_EQ(c.edit(IniDocument(c.before)), c.after);
}

auto set(std::string section, std::string key, std::string value) {
    return [=](const IniDocument& d) { return d.withValue(section, key, value); };
}
auto removeKey(const char* section, const char* key) {
    return [=](const IniDocument& d) { return d.withoutKey(section, key); };
}
auto removeSection(const char* section) {
    return [=](const IniDocument& d) { return d.withoutSection(section); };
}
auto replaceSection(const char* section, std::vector<std::string> lines) {
    return [=](const IniDocument& d) { return d.withSection(section, lines); };
}

INSTANTIATE_TEST_SUITE_P(
    Cases, IniWrite,
    testing::Values(
        WriteCase{"ReplaceKeepsCommentsBlankLinesAndUnknownLines",
                  "; head\r\n\r\n[s]\r\n; about k\r\nk = old\r\njunk line\r\n\r\n[t]\r\nk=t\r\n", set("S", "K", "new"),
                  "; head\r\n\r\n[s]\r\n; about k\r\nK=new\r\njunk line\r\n\r\n[t]\r\nk=t\r\n"},
        WriteCase{"NewKeyAfterLastKeyOfItsSection", "[s]\r\na=1\r\nb=2\r\n\r\n; t follows\r\n[t]\r\n",
                  set("s", "c", "3"), "[s]\r\na=1\r\nb=2\r\nc=3\r\n\r\n; t follows\r\n[t]\r\n"},
        WriteCase{"NewKeyInSectionWithoutKeys", "[s]\n; none yet\n[t]\n", set("s", "k", "v"), "[s]\nk=v\n; none yet\n[t]\n"},
        WriteCase{"NewKeyGoesToFirstOfDuplicateSections", "[s]\na=1\n[s]\nb=2\n", set("s", "c", "3"),
                  "[s]\na=1\nc=3\n[s]\nb=2\n"},
        WriteCase{"ReplaceRewritesFirstDuplicateKeyOnly", "[s]\nk=1\nk=2\n", set("s", "k", "3"), "[s]\nk=3\nk=2\n"},
        WriteCase{"NewSectionAtEnd", "[s]\r\na=1\r\n", set("t", "k", "v"), "[s]\r\na=1\r\n[t]\r\nk=v\r\n"},
        WriteCase{"NewSectionAfterLastLineWithoutLineEnd", "[s]\na=1", set("t", "k", "v"), "[s]\na=1\n[t]\nk=v\n"},
        WriteCase{"NewKeyAfterLastLineWithoutLineEnd", "[s]\r\na=1", set("s", "b", "2"), "[s]\r\na=1\r\nb=2\r\n"},
        WriteCase{"NewKeyAfterHeaderWithoutLineEnd", "[s]", set("s", "b", "2"), "[s]\r\nb=2\r\n"},
        WriteCase{"EmptyFileGetsCrLf", "", set("s", "k", "v"), "[s]\r\nk=v\r\n"},
        WriteCase{"LineFeedFileKeepsLineFeeds", "; c\n", set("s", "k", "v"), "; c\n[s]\nk=v\n"},
        WriteCase{"LongValueWrittenWhole", "[s]\n", set("s", "k", std::string(9000, 'x')),
                  "[s]\nk=" + std::string(9000, 'x') + "\n"},
        WriteCase{"DeleteKeyRemovesEveryEntryOfItInTheSection", "[s]\na=1\nK=2\nb=3\nk=4\n[t]\nk=5\n",
                  removeKey("s", "k"), "[s]\na=1\nb=3\n[t]\nk=5\n"},
        WriteCase{"DeleteMissingKeyChangesNothing", "[s]\na=1\n", removeKey("s", "z"), "[s]\na=1\n"},
        WriteCase{"DeleteKeyOfMissingSectionChangesNothing", "[s]\na=1\n", removeKey("t", "a"), "[s]\na=1\n"},
        WriteCase{"DeleteLastLineWithoutLineEnd", "[s]\na=1\nb=2", removeKey("s", "b"), "[s]\na=1\n"},
        WriteCase{"DeleteSectionWithItsLines", "; top\n[s]\na=1\n; s note\n\n[t]\nb=2\n", removeSection("S"),
                  "; top\n[t]\nb=2\n"},
        WriteCase{"DeleteSectionRemovesEveryDuplicate", "[s]\na=1\n[t]\nb=2\n[S]\nc=3", removeSection("s"), "[t]\nb=2\n"},
        WriteCase{"DeleteMissingSectionChangesNothing", "[s]\n", removeSection("t"), "[s]\n"},
        WriteCase{"ReplaceSectionKeepsItsComments", "[s]\r\n; c\r\na=1\r\nb=2\r\n[t]\r\n",
                  replaceSection("s", {"x=9", "y=8"}), "[s]\r\n; c\r\nx=9\r\ny=8\r\n[t]\r\n"},
        WriteCase{"ReplaceMissingSectionAppendsIt", "[s]\n", replaceSection("t", {"x=9"}), "[s]\n[t]\nx=9\n"}),
    [](const testing::TestParamInfo<WriteCase>& info) { return info.param.name; });

}  // namespace
}  // namespace platform::profile
