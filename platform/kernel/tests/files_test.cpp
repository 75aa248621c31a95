#include "kernel/hooks.h"
#include "kernel/testing/test_pc.h"
#include "win/kernel.h"

#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <string>

namespace fs = std::filesystem;
using platform::testing::readHostFile;
using platform::testing::TestPc;
using platform::testing::writeHostFile;

namespace {

HANDLE open(const char* path, DWORD access, DWORD share, DWORD disposition) {
    return CreateFileA(path, access, share, nullptr, disposition, FILE_ATTRIBUTE_NORMAL, nullptr);
}

std::string readAll(HANDLE h) {
    std::string s(1024, '\0');
    DWORD n = 0;
    EXPECT_TRUE(ReadFile(h, s.data(), static_cast<DWORD>(s.size()), &n, nullptr));
    s.resize(n);
    return s;
}

TEST(Files, DispositionsAsThePlatformDefinesThem) {
    TestPc pc;
    writeHostFile(pc.host("C:\\OLD.TXT"), "old");
    struct Case {
        const char* path;
        DWORD disposition;
        bool opens;
        DWORD error;        // the last error after the call
        const char* after;  // file content after opening (nullptr: file absent)
    } cases[] = {
        {"C:\\OLD.TXT", CREATE_NEW, false, ERROR_FILE_EXISTS, "old"},
        {"C:\\OLD.TXT", OPEN_EXISTING, true, ERROR_SUCCESS, "old"},
        {"C:\\OLD.TXT", OPEN_ALWAYS, true, ERROR_ALREADY_EXISTS, "old"},
        {"C:\\OLD.TXT", CREATE_ALWAYS, true, ERROR_ALREADY_EXISTS, ""},
        {"C:\\NEW1.TXT", OPEN_EXISTING, false, ERROR_FILE_NOT_FOUND, nullptr},
        {"C:\\NEW1.TXT", TRUNCATE_EXISTING, false, ERROR_FILE_NOT_FOUND, nullptr},
        {"C:\\NEW2.TXT", CREATE_NEW, true, ERROR_SUCCESS, ""},
        {"C:\\NEW3.TXT", OPEN_ALWAYS, true, ERROR_SUCCESS, ""},
        {"C:\\MISSING\\X.TXT", CREATE_ALWAYS, false, ERROR_PATH_NOT_FOUND, nullptr},
        {"C:\\WINDOWS", OPEN_EXISTING, false, ERROR_ACCESS_DENIED, nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.path) + " disposition " + std::to_string(c.disposition));
        HANDLE h = open(c.path, GENERIC_READ | GENERIC_WRITE, 0, c.disposition);
        EXPECT_EQ(h != INVALID_HANDLE_VALUE, c.opens);
        EXPECT_EQ(GetLastError(), c.error);
        if (h != INVALID_HANDLE_VALUE) CloseHandle(h);
        if (c.after && !fs::is_directory(pc.host(c.path))) {
            EXPECT_EQ(readHostFile(pc.host(c.path)), c.after);
        }
    }
}

TEST(Files, ReadWriteSeekAndSize) {
    TestPc pc;
    HANDLE h = open("C:\\DATA.BIN", GENERIC_READ | GENERIC_WRITE, 0, CREATE_ALWAYS);
    ASSERT_NE(h, INVALID_HANDLE_VALUE);
    DWORD n = 0;
    ASSERT_TRUE(WriteFile(h, "hello world", 11, &n, nullptr));
    EXPECT_EQ(n, 11u);
    EXPECT_EQ(GetFileSize(h, nullptr), 11u);
    EXPECT_EQ(SetFilePointer(h, 6, nullptr, FILE_BEGIN), 6u);
    EXPECT_EQ(readAll(h), "world");
    EXPECT_EQ(SetFilePointer(h, -5, nullptr, FILE_END), 6u);
    EXPECT_EQ(SetFilePointer(h, -100, nullptr, FILE_CURRENT), INVALID_SET_FILE_POINTER);
    EXPECT_EQ(GetLastError(), DWORD{ERROR_NEGATIVE_SEEK});
    SetFilePointer(h, 5, nullptr, FILE_BEGIN);
    ASSERT_TRUE(SetEndOfFile(h));
    EXPECT_EQ(GetFileSize(h, nullptr), 5u);
    ASSERT_TRUE(CloseHandle(h));
    EXPECT_FALSE(CloseHandle(h));
    EXPECT_EQ(GetLastError(), DWORD{ERROR_INVALID_HANDLE});
    EXPECT_EQ(readHostFile(pc.host("C:\\DATA.BIN")), "hello");

    // A handle opened for reading only refuses writes.
    h = open("C:\\DATA.BIN", GENERIC_READ, FILE_SHARE_READ, OPEN_EXISTING);
    EXPECT_FALSE(WriteFile(h, "x", 1, &n, nullptr));
    EXPECT_EQ(GetLastError(), DWORD{ERROR_ACCESS_DENIED});
    CloseHandle(h);
}

TEST(Files, SharingModes) {
    TestPc pc;
    writeHostFile(pc.host("C:\\SHARED.TXT"), "x");
    struct Case {
        DWORD firstAccess, firstShare, secondAccess, secondShare;
        bool secondOpens;
    } cases[] = {
        {GENERIC_READ, FILE_SHARE_READ, GENERIC_READ, FILE_SHARE_READ, true},
        {GENERIC_READ, FILE_SHARE_READ, GENERIC_WRITE, FILE_SHARE_READ, false},  // first refuses writers
        {GENERIC_READ, 0, GENERIC_READ, FILE_SHARE_READ, false},                 // exclusive
        {GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, GENERIC_READ, FILE_SHARE_READ, false},  // second refuses the writer
        {GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, true},
        {0, 0, GENERIC_READ, FILE_SHARE_READ, false},
    };
    for (const Case& c : cases) {
        HANDLE first = open("C:\\SHARED.TXT", c.firstAccess, c.firstShare, OPEN_EXISTING);
        ASSERT_NE(first, INVALID_HANDLE_VALUE);
        HANDLE second = open("C:\\shared.txt", c.secondAccess, c.secondShare, OPEN_EXISTING);
        EXPECT_EQ(second != INVALID_HANDLE_VALUE, c.secondOpens);
        if (second == INVALID_HANDLE_VALUE) EXPECT_EQ(GetLastError(), DWORD{ERROR_SHARING_VIOLATION});
        else CloseHandle(second);
        CloseHandle(first);
    }
}

TEST(Files, SharingHoldsAcrossProcesses) {
    TestPc pc;
    writeHostFile(pc.host("C:\\LOCKED.TXT"), "x");
    HANDLE mine = open("C:\\LOCKED.TXT", GENERIC_READ, 0, OPEN_EXISTING);
    ASSERT_NE(mine, INVALID_HANDLE_VALUE);
    pid_t child = fork();
    if (child == 0) {
        HANDLE other = open("C:\\LOCKED.TXT", GENERIC_READ, FILE_SHARE_READ, OPEN_EXISTING);
        const bool deleted = DeleteFileA("C:\\LOCKED.TXT");
        _exit(other == INVALID_HANDLE_VALUE && !deleted ? 0 : 1);
    }
    int status = 0;
    waitpid(child, &status, 0);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    CloseHandle(mine);
    EXPECT_TRUE(DeleteFileA("C:\\LOCKED.TXT"));
}

TEST(Files, ReadOnlyIsEnforcedByThePlatform) {
    TestPc pc;
    writeHostFile(pc.host("C:\\RO.TXT"), "keep");
    ASSERT_TRUE(SetFileAttributesA("C:\\RO.TXT", FILE_ATTRIBUTE_READONLY));
    EXPECT_EQ(GetFileAttributesA("C:\\RO.TXT") & FILE_ATTRIBUTE_READONLY, DWORD{FILE_ATTRIBUTE_READONLY});
    EXPECT_FALSE(DeleteFileA("C:\\RO.TXT"));
    EXPECT_EQ(GetLastError(), DWORD{ERROR_ACCESS_DENIED});
    EXPECT_EQ(open("C:\\RO.TXT", GENERIC_WRITE, 0, OPEN_EXISTING), INVALID_HANDLE_VALUE);
    EXPECT_EQ(open("C:\\RO.TXT", GENERIC_READ, 0, CREATE_ALWAYS), INVALID_HANDLE_VALUE);
    EXPECT_EQ(readHostFile(pc.host("C:\\RO.TXT")), "keep");
    HANDLE h = open("C:\\RO.TXT", GENERIC_READ, FILE_SHARE_READ, OPEN_EXISTING);
    EXPECT_NE(h, INVALID_HANDLE_VALUE);
    CloseHandle(h);
    ASSERT_TRUE(SetFileAttributesA("C:\\RO.TXT", FILE_ATTRIBUTE_NORMAL));
    EXPECT_TRUE(DeleteFileA("C:\\RO.TXT"));
}

TEST(Files, AttributesOfFilesAndDirectories) {
    TestPc pc;
    EXPECT_EQ(GetFileAttributesA("C:\\WINDOWS"), DWORD{FILE_ATTRIBUTE_DIRECTORY});
    EXPECT_EQ(GetFileAttributesA("C:\\CONFIG.SYS"), DWORD{FILE_ATTRIBUTE_ARCHIVE});
    EXPECT_EQ(GetFileAttributesA("C:\\NONE.TXT"), INVALID_FILE_ATTRIBUTES);
    EXPECT_EQ(GetLastError(), DWORD{ERROR_FILE_NOT_FOUND});
    EXPECT_EQ(GetFileAttributesA("C:\\NONE\\X.TXT"), INVALID_FILE_ATTRIBUTES);
    EXPECT_EQ(GetLastError(), DWORD{ERROR_PATH_NOT_FOUND});
    if (SetFileAttributesA("C:\\CONFIG.SYS", FILE_ATTRIBUTE_HIDDEN)) {  // needs extended attributes on the host
        EXPECT_EQ(GetFileAttributesA("C:\\CONFIG.SYS"), DWORD{FILE_ATTRIBUTE_HIDDEN});
    }
}

TEST(Files, DeletingFiles) {
    TestPc pc;
    writeHostFile(pc.host("C:\\GONE.TXT"), "x");
    EXPECT_TRUE(DeleteFileA("c:\\gone.txt"));
    EXPECT_FALSE(fs::exists(pc.host("C:\\GONE.TXT")));
    EXPECT_FALSE(DeleteFileA("C:\\GONE.TXT"));
    EXPECT_EQ(GetLastError(), DWORD{ERROR_FILE_NOT_FOUND});
    EXPECT_FALSE(DeleteFileA("C:\\WINDOWS"));
    EXPECT_EQ(GetLastError(), DWORD{ERROR_ACCESS_DENIED});

    // The image of a running program cannot be deleted until the program ends.
    writeHostFile(pc.host("C:\\PROG.EXE"), "image");
    bool running = true;
    platform::hooks::isRunningImage() = [&](const fs::path& host) { return running && host.filename() == "PROG.EXE"; };
    EXPECT_FALSE(DeleteFileA("C:\\PROG.EXE"));
    EXPECT_EQ(GetLastError(), DWORD{ERROR_ACCESS_DENIED});
    EXPECT_EQ(open("C:\\PROG.EXE", GENERIC_WRITE, 0, CREATE_ALWAYS), INVALID_HANDLE_VALUE);
    running = false;
    EXPECT_TRUE(DeleteFileA("C:\\PROG.EXE"));
    platform::hooks::isRunningImage() = nullptr;
}

TEST(Directories, CreateAndRemove) {
    TestPc pc;
    EXPECT_TRUE(CreateDirectoryA("C:\\APP", nullptr));
    EXPECT_FALSE(CreateDirectoryA("c:\\app", nullptr));
    EXPECT_EQ(GetLastError(), DWORD{ERROR_ALREADY_EXISTS});
    EXPECT_FALSE(CreateDirectoryA("C:\\NO\\SUCH", nullptr));
    EXPECT_EQ(GetLastError(), DWORD{ERROR_PATH_NOT_FOUND});
    EXPECT_TRUE(CreateDirectoryA("C:\\APP\\SUB\\", nullptr));  // a trailing backslash is fine
    EXPECT_FALSE(RemoveDirectoryA("C:\\APP"));
    EXPECT_EQ(GetLastError(), DWORD{ERROR_DIR_NOT_EMPTY});
    EXPECT_TRUE(RemoveDirectoryA("C:\\APP\\SUB"));
    EXPECT_TRUE(RemoveDirectoryA("C:\\APP"));
    EXPECT_FALSE(RemoveDirectoryA("C:\\APP"));
    EXPECT_EQ(GetLastError(), DWORD{ERROR_FILE_NOT_FOUND});
    EXPECT_FALSE(RemoveDirectoryA("C:\\CONFIG.SYS"));
    EXPECT_EQ(GetLastError(), DWORD{ERROR_DIRECTORY});
    EXPECT_FALSE(RemoveDirectoryA("C:\\"));
    std::string tooLong = "C:\\" + std::string(250, 'D');
    EXPECT_FALSE(CreateDirectoryA(tooLong.c_str(), nullptr));
    EXPECT_EQ(GetLastError(), DWORD{ERROR_FILENAME_EXCED_RANGE});
}

TEST(Directories, WindowsAndSystemDirectories) {
    TestPc pc;
    char buffer[MAX_PATH];
    EXPECT_EQ(GetWindowsDirectoryA(buffer, sizeof buffer), 10u);
    EXPECT_STREQ(buffer, "C:\\WINDOWS");
    EXPECT_EQ(GetSystemDirectoryA(buffer, sizeof buffer), 17u);
    EXPECT_STREQ(buffer, "C:\\WINDOWS\\SYSTEM");
    EXPECT_EQ(GetWindowsDirectoryA(buffer, 5), 11u);  // the size needed, with the zero
    EXPECT_EQ(GetFileAttributesA(buffer), DWORD{FILE_ATTRIBUTE_DIRECTORY});
}

}  // namespace
