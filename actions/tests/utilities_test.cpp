// Korean mode, the removal of a directory chain and quiet deletion.
#include "actions/utilities.h"

#include "action_test.h"
#include "win/kernel.h"
#include "win/profile.h"

namespace {

using Utilities = ActionTest;

TEST_F(Utilities, KoreanModeFollowsTheLanguageOfWinIni)
{
    struct Case {
        const char* language;  // nullptr: no sLanguage
        BOOL korean;
    };
    const Case cases[] = {{nullptr, FALSE}, {"KOR", TRUE}, {"kor", TRUE}, {"kor1", FALSE}, {"enu", FALSE}};
    for (const Case& c : cases) {
        WriteProfileStringA("intl", "sLanguage", c.language);
        EXPECT_EQ(detectKoreanMode(), c.korean) << (c.language ? c.language : "(none)");
    }
}

TEST_F(Utilities, DirectoryChainIsRemovedAsFarAsItIsEmpty)
{
    CreateDirectoryA("C:\\A", nullptr);
    CreateDirectoryA("C:\\A\\B", nullptr);
    write("C:\\A\\B\\KEEP.TXT", "x");
    removeDirectoryChain("C:\\A\\B");
    EXPECT_TRUE(exists("C:\\A\\B\\KEEP.TXT"));

    DeleteFileA("C:\\A\\B\\KEEP.TXT");
    SetCurrentDirectoryA("C:\\A");
    removeDirectoryChain("C:\\A\\B");
    EXPECT_FALSE(exists("C:\\A"));
    EXPECT_TRUE(exists("C:\\WINDOWS"));

    removeDirectoryChain("C:");
    EXPECT_TRUE(exists("C:\\WINDOWS"));
}

TEST_F(Utilities, DeletingQuietlyRemovesAFileAndIgnoresAMissingOne)
{
    write("C:\\OLD.TXT", "x");
    deleteFileQuietly("C:\\OLD.TXT");
    EXPECT_FALSE(exists("C:\\OLD.TXT"));
    deleteFileQuietly("C:\\OLD.TXT");
    EXPECT_FALSE(exists("C:\\OLD.TXT"));
}

}  // namespace
