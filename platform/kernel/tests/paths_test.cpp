#include "kernel/paths.h"
#include "kernel/testing/test_pc.h"
#include "win/kernel.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace fs = std::filesystem;
using platform::testing::TestPc;

namespace {

struct FullCase {
    const char* current;  // current directory before the call
    const char* path;
    const char* full;     // nullptr: fails
    DWORD error;
};

TEST(Paths, FullFormFollowsThePlatformRules) {
    TestPc pc;
    CreateDirectoryA("C:\\WORK", nullptr);
    CreateDirectoryA("C:\\WORK\\SUB", nullptr);
    const FullCase cases[] = {
        {"C:\\", "C:\\A\\B.TXT", "C:\\A\\B.TXT", 0},
        {"C:\\", "c:/a/b.txt", "C:\\a\\b.txt", 0},
        {"C:\\WORK", "FILE.INI", "C:\\WORK\\FILE.INI", 0},
        {"C:\\WORK", "..\\FILE.INI", "C:\\FILE.INI", 0},
        {"C:\\WORK", "..\\..\\..\\FILE.INI", "C:\\FILE.INI", 0},  // ".." stops at the root
        {"C:\\WORK", "\\ROOT.TXT", "C:\\ROOT.TXT", 0},
        {"C:\\WORK", "C:", "C:\\WORK", 0},                        // a drive alone is its current dir
        {"C:\\WORK", "C:SUB", "C:\\WORK\\SUB", 0},
        {"C:\\WORK", "A:X.TXT", "A:\\X.TXT", 0},
        {"C:\\", "C:\\DIR\\\\FILE.", "C:\\DIR\\FILE", 0},        // doubled separators, trailing dot
        {"C:\\", "C:\\DIR\\.\\FILE", "C:\\DIR\\FILE", 0},
        {"C:\\", "C:\\WORK\\", "C:\\WORK", 0},
        {"C:\\", "", nullptr, ERROR_PATH_NOT_FOUND},
        {"C:\\", "C:\\A?.TXT", nullptr, ERROR_INVALID_NAME},
        {"C:\\", "C:\\A|B", nullptr, ERROR_INVALID_NAME},
        {"C:\\", "\\\\SERVER\\SHARE", nullptr, ERROR_BAD_PATHNAME},
        {"C:\\", "1:\\X", nullptr, ERROR_INVALID_NAME},
    };
    for (const FullCase& c : cases) {
        SCOPED_TRACE(c.path);
        ASSERT_TRUE(SetCurrentDirectoryA(c.current));
        DWORD error = 0;
        std::optional<std::string> full = platform::paths::fullPath(c.path, error);
        if (c.full) {
            ASSERT_TRUE(full.has_value()) << error;
            EXPECT_EQ(*full, c.full);
        } else {
            EXPECT_FALSE(full.has_value());
            EXPECT_EQ(error, c.error);
        }
    }
}

TEST(Paths, LengthLimits) {
    TestPc pc;
    DWORD error = 0;
    std::string longName(256, 'N');
    EXPECT_FALSE(platform::paths::fullPath("C:\\" + longName, error));
    EXPECT_EQ(error, ERROR_FILENAME_EXCED_RANGE);
    std::string deep = "C:";
    while (deep.size() < 300) deep += "\\DIRECTORY";
    EXPECT_FALSE(platform::paths::fullPath(deep, error));
    EXPECT_EQ(error, ERROR_FILENAME_EXCED_RANGE);
    std::string fits = "C:\\" + std::string(255, 'F');
    EXPECT_TRUE(platform::paths::fullPath(fits, error));
}

TEST(Paths, NamesMatchWithoutRegardToCase) {
    TestPc pc;
    platform::testing::writeHostFile(pc.host("C:\\WINDOWS\\Mixed.Ini"), "x");
    platform::paths::Mapped m = platform::paths::map("c:\\windows\\MIXED.INI");
    ASSERT_TRUE(m);
    EXPECT_TRUE(m.exists);
    EXPECT_EQ(m.host, pc.root() / "c" / "WINDOWS" / "Mixed.Ini");
    // A missing last name maps by name, in the case given.
    m = platform::paths::map("C:\\windows\\New.Txt");
    ASSERT_TRUE(m);
    EXPECT_FALSE(m.exists);
    EXPECT_EQ(m.host, pc.root() / "c" / "WINDOWS" / "New.Txt");
    // A missing directory on the way is an error.
    m = platform::paths::map("C:\\NOPE\\FILE.TXT");
    EXPECT_EQ(m.error, ERROR_PATH_NOT_FOUND);
    // A drive the PC does not have.
    m = platform::paths::map("Q:\\FILE.TXT");
    EXPECT_EQ(m.error, ERROR_PATH_NOT_FOUND);
}

TEST(Paths, NothingLeadsOutOfThePc) {
    TestPc pc;
    const fs::path outside = pc.root() / "outside";
    fs::create_directories(outside);
    platform::testing::writeHostFile(outside / "secret.txt", "secret");
    // A link inside the PC pointing out, as a directory on the way and as the file itself.
    fs::create_directory_symlink(outside, pc.root() / "c" / "LINKDIR");
    fs::create_symlink(outside / "secret.txt", pc.root() / "c" / "LINK.TXT");

    EXPECT_EQ(platform::paths::map("C:\\LINKDIR\\secret.txt").error, DWORD{ERROR_ACCESS_DENIED});
    EXPECT_EQ(platform::paths::map("C:\\LINK.TXT").error, DWORD{ERROR_ACCESS_DENIED});
    EXPECT_EQ(CreateFileA("C:\\LINK.TXT", GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr), INVALID_HANDLE_VALUE);
    EXPECT_FALSE(DeleteFileA("C:\\LINK.TXT"));
    EXPECT_TRUE(fs::exists(outside / "secret.txt"));

    // ".." never climbs above the drive root into the PC folder or the host.
    platform::paths::Mapped m = platform::paths::map("C:\\..\\..\\outside\\secret.txt");
    EXPECT_EQ(m.windows, "C:\\outside\\secret.txt");
    EXPECT_EQ(m.error, DWORD{ERROR_PATH_NOT_FOUND});
}

TEST(Paths, HostPathsMapBack) {
    TestPc pc;
    EXPECT_EQ(platform::paths::toWindows(pc.root() / "c" / "WINDOWS" / "WIN.INI"), "C:\\WINDOWS\\WIN.INI");
    EXPECT_EQ(platform::paths::toWindows(pc.root() / "a"), "A:\\");
    EXPECT_FALSE(platform::paths::toWindows(pc.root() / "pc.ini"));
    EXPECT_FALSE(platform::paths::toWindows("/etc/passwd"));
}

TEST(Paths, KoreanNamesAreUtf8OnTheHost) {
    TestPc pc;
    const std::string name = "\xC7\xD1\xB1\xDB";  // "Hangul" in code page 949
    ASSERT_TRUE(CreateDirectoryA(("C:\\" + name).c_str(), nullptr));
    EXPECT_TRUE(fs::is_directory(pc.root() / "c" / "\xED\x95\x9C\xEA\xB8\x80"));
    EXPECT_EQ(platform::paths::toWindows(pc.root() / "c" / "\xED\x95\x9C\xEA\xB8\x80"), "C:\\" + name);
}

TEST(Paths, CurrentDirectoryPerDrive) {
    TestPc pc;
    ASSERT_TRUE(CreateDirectoryA("C:\\ONE", nullptr));
    ASSERT_TRUE(CreateDirectoryA("A:\\TWO", nullptr));
    char buffer[MAX_PATH];
    EXPECT_EQ(GetCurrentDirectoryA(sizeof buffer, buffer), 3u);
    EXPECT_STREQ(buffer, "C:\\");
    ASSERT_TRUE(SetCurrentDirectoryA("c:\\one"));
    ASSERT_TRUE(SetCurrentDirectoryA("A:\\TWO"));
    GetCurrentDirectoryA(sizeof buffer, buffer);
    EXPECT_STREQ(buffer, "A:\\TWO");
    // The other drive keeps its own current directory, in its stored case.
    ASSERT_TRUE(SetCurrentDirectoryA("C:"));
    GetCurrentDirectoryA(sizeof buffer, buffer);
    EXPECT_STREQ(buffer, "C:\\ONE");
    EXPECT_FALSE(SetCurrentDirectoryA("C:\\MISSING"));
    EXPECT_EQ(GetLastError(), DWORD{ERROR_FILE_NOT_FOUND});
    EXPECT_FALSE(SetCurrentDirectoryA("C:\\CONFIG.SYS"));
    EXPECT_EQ(GetLastError(), DWORD{ERROR_DIRECTORY});
    // Too small a buffer gets the size needed, with the zero.
    char tiny[3];
    EXPECT_EQ(GetCurrentDirectoryA(sizeof tiny, tiny), 7u);
}

}  // namespace
