#include "win/registry.h"

#include "kernel/pc.h"
#include "kernel/testing/test_pc.h"

#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <string>

using platform::testing::readHostFile;
using platform::testing::TestPc;
using platform::testing::writeHostFile;

namespace {

std::filesystem::path registryFile() { return platform::Pc::current().registryFile(); }

LONG setText(HKEY key, const char* name, const std::string& text) {
    return RegSetValueExA(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                          static_cast<DWORD>(text.size() + 1));
}

// The text of a string value, or the error code as text.
std::string queryText(HKEY key, const char* name) {
    char buffer[256];
    DWORD size = sizeof buffer;
    DWORD type = 0;
    LONG r = RegQueryValueExA(key, name, nullptr, &type, reinterpret_cast<BYTE*>(buffer), &size);
    if (r != ERROR_SUCCESS) return "error " + std::to_string(r);
    if (type != REG_SZ || size == 0 || buffer[size - 1] != '\0') return "not a string";
    return std::string(buffer, size - 1);
}

HKEY create(HKEY root, const char* path, DWORD* disposition = nullptr) {
    HKEY key = nullptr;
    EXPECT_EQ(RegCreateKeyExA(root, path, 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_READ | KEY_WRITE, nullptr, &key,
                              disposition),
              ERROR_SUCCESS)
        << path;
    return key;
}

bool exists(HKEY root, const char* path) {
    HKEY key = nullptr;
    if (RegOpenKeyExA(root, path, 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
    RegCloseKey(key);
    return true;
}

TEST(Registry, CreateSetQueryAndFindItInTheFile) {
    TestPc pc;
    DWORD disposition = 0;
    HKEY key = create(HKEY_LOCAL_MACHINE, "Software\\Vendor\\Player", &disposition);
    EXPECT_EQ(disposition, static_cast<DWORD>(REG_CREATED_NEW_KEY));
    ASSERT_EQ(setText(key, "Path", "C:\\PLAYER"), ERROR_SUCCESS);
    ASSERT_EQ(setText(key, nullptr, "default"), ERROR_SUCCESS);
    EXPECT_EQ(queryText(key, "Path"), "C:\\PLAYER");
    EXPECT_EQ(queryText(key, ""), "default");
    EXPECT_EQ(RegCloseKey(key), ERROR_SUCCESS);

    HKEY again = create(HKEY_LOCAL_MACHINE, "Software\\Vendor\\Player", &disposition);
    EXPECT_EQ(disposition, static_cast<DWORD>(REG_OPENED_EXISTING_KEY));
    RegCloseKey(again);

    std::string file = readHostFile(registryFile());
    EXPECT_EQ(file.rfind("REGEDIT4\r\n\r\n", 0), 0u);
    EXPECT_NE(file.find("[HKEY_LOCAL_MACHINE\\Software\\Vendor\\Player]\r\n@=\"default\"\r\n\"Path\"=\"C:\\\\PLAYER\"\r\n"),
              std::string::npos)
        << file;
}

TEST(Registry, QueryReportsSizesAsDocumented) {
    TestPc pc;
    HKEY key = create(HKEY_CURRENT_USER, "Sizes");
    ASSERT_EQ(setText(key, "v", "12345"), ERROR_SUCCESS);  // six bytes with the zero

    struct Case {
        const char* what;
        bool withBuffer;
        DWORD bufferSize;
        LONG result;
        DWORD reportedSize;
        std::string buffer;  // what the buffer holds afterwards
    };
    const Case cases[] = {
        {"size only", false, 0, ERROR_SUCCESS, 6, "########"},
        {"buffer too small", true, 5, ERROR_MORE_DATA, 6, "########"},
        {"exact buffer", true, 6, ERROR_SUCCESS, 6, std::string("12345\0##", 8)},
        {"larger buffer", true, 8, ERROR_SUCCESS, 6, std::string("12345\0##", 8)},
    };
    for (const Case& c : cases) {
        char buffer[8];
        std::fill(std::begin(buffer), std::end(buffer), '#');
        DWORD size = c.bufferSize;
        DWORD type = 0;
        EXPECT_EQ(RegQueryValueExA(key, "V", nullptr, &type, c.withBuffer ? reinterpret_cast<BYTE*>(buffer) : nullptr,
                                   &size),
                  c.result)
            << c.what;
        EXPECT_EQ(size, c.reportedSize) << c.what;
        EXPECT_EQ(type, static_cast<DWORD>(REG_SZ)) << c.what;
        EXPECT_EQ(std::string(buffer, 8), c.buffer) << c.what;
    }
    EXPECT_EQ(RegQueryValueExA(key, "v", nullptr, nullptr, nullptr, nullptr), ERROR_SUCCESS) << "existence only";
    RegCloseKey(key);
}

TEST(Registry, NamesMatchWithoutRegardToCaseAndKeepTheirCase) {
    TestPc pc;
    HKEY key = create(HKEY_LOCAL_MACHINE, "Software\\MyVendor");
    ASSERT_EQ(setText(key, "InstallPath", "C:\\X"), ERROR_SUCCESS);
    ASSERT_EQ(setText(key, "INSTALLPATH", "C:\\Y"), ERROR_SUCCESS) << "the same value again";
    RegCloseKey(key);

    HKEY other = nullptr;
    ASSERT_EQ(RegOpenKeyExA(HKEY_LOCAL_MACHINE, "SOFTWARE\\myvendor", 0, KEY_READ, &other), ERROR_SUCCESS);
    EXPECT_EQ(queryText(other, "installpath"), "C:\\Y");
    RegCloseKey(other);

    std::string file = readHostFile(registryFile());
    EXPECT_NE(file.find("[HKEY_LOCAL_MACHINE\\Software\\MyVendor]\r\n\"InstallPath\"=\"C:\\\\Y\"\r\n"), std::string::npos)
        << file;

    // Korean names: the trail byte 'c' of 0x8C 0x63 is no letter, so the key differs from 0x8C 0x43.
    RegCloseKey(create(HKEY_CURRENT_USER, "\x8C\x63"));
    EXPECT_FALSE(exists(HKEY_CURRENT_USER, "\x8C\x43"));
    EXPECT_TRUE(exists(HKEY_CURRENT_USER, "\x8C\x63"));
}

TEST(Registry, DeletingAKeyTakesEverythingBelowIt) {
    TestPc pc;
    RegCloseKey(create(HKEY_LOCAL_MACHINE, "Software\\Vendor\\A\\B\\C"));
    RegCloseKey(create(HKEY_LOCAL_MACHINE, "Software\\Vendor\\Sibling"));
    HKEY inside = create(HKEY_LOCAL_MACHINE, "Software\\Vendor\\A\\B");
    ASSERT_EQ(setText(inside, "x", "1"), ERROR_SUCCESS);

    EXPECT_EQ(RegDeleteKeyA(HKEY_LOCAL_MACHINE, "software\\vendor\\a"), ERROR_SUCCESS);
    EXPECT_FALSE(exists(HKEY_LOCAL_MACHINE, "Software\\Vendor\\A"));
    EXPECT_FALSE(exists(HKEY_LOCAL_MACHINE, "Software\\Vendor\\A\\B\\C"));
    EXPECT_TRUE(exists(HKEY_LOCAL_MACHINE, "Software\\Vendor\\Sibling"));

    // A handle to a deleted key reaches nothing, even when a key of that name comes back.
    EXPECT_EQ(queryText(inside, "x"), "error " + std::to_string(ERROR_KEY_DELETED));
    RegCloseKey(create(HKEY_LOCAL_MACHINE, "Software\\Vendor\\A\\B"));
    EXPECT_EQ(setText(inside, "x", "2"), ERROR_KEY_DELETED);
    EXPECT_EQ(RegCloseKey(inside), ERROR_SUCCESS);

    std::string file = readHostFile(registryFile());
    EXPECT_EQ(file.find("\\C]"), std::string::npos) << file;
}

TEST(Registry, OneKeyOpenInTwoHandles) {
    TestPc pc;
    HKEY first = create(HKEY_CURRENT_USER, "Shared");
    HKEY second = nullptr;
    ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, "shared", 0, KEY_ALL_ACCESS, &second), ERROR_SUCCESS);
    ASSERT_NE(first, second);
    ASSERT_EQ(setText(first, "a", "from first"), ERROR_SUCCESS);
    ASSERT_EQ(setText(second, "b", "from second"), ERROR_SUCCESS);
    EXPECT_EQ(queryText(second, "a"), "from first");
    EXPECT_EQ(RegCloseKey(first), ERROR_SUCCESS);
    EXPECT_EQ(queryText(second, "b"), "from second");
    EXPECT_EQ(RegCloseKey(first), ERROR_INVALID_HANDLE) << "closed twice";
    EXPECT_EQ(RegCloseKey(second), ERROR_SUCCESS);

    // A handle opens the keys below it.
    HKEY parent = create(HKEY_CURRENT_USER, "Shared");
    HKEY child = nullptr;
    ASSERT_EQ(RegCreateKeyA(parent, "Child", &child), ERROR_SUCCESS);
    RegCloseKey(child);
    EXPECT_TRUE(exists(HKEY_CURRENT_USER, "Shared\\Child"));
    EXPECT_EQ(RegDeleteKeyA(parent, "child"), ERROR_SUCCESS);
    EXPECT_FALSE(exists(HKEY_CURRENT_USER, "Shared\\Child"));
    RegCloseKey(parent);
}

TEST(Registry, ChangesOfTheFileAreSeenAndKept) {
    TestPc pc;
    HKEY key = create(HKEY_LOCAL_MACHINE, "Software\\Vendor");
    ASSERT_EQ(setText(key, "v", "mine"), ERROR_SUCCESS);

    // Another program of the PC rewrote the registry: its version counts from now on.
    writeHostFile(registryFile(),
                  "REGEDIT4\r\n\r\n[HKEY_LOCAL_MACHINE\\Software\\Vendor]\r\n\"v\"=\"theirs\"\r\n\"w\"=\"new\"\r\n");
    EXPECT_EQ(queryText(key, "v"), "theirs");
    ASSERT_EQ(setText(key, "x", "added"), ERROR_SUCCESS);
    std::string file = readHostFile(registryFile());
    EXPECT_NE(file.find("\"w\"=\"new\""), std::string::npos) << "their value kept when ours is added: " << file;

    // ... and when it deleted the key, the handle reaches nothing.
    writeHostFile(registryFile(), "REGEDIT4\r\n\r\n");
    EXPECT_EQ(setText(key, "x", "again"), ERROR_KEY_DELETED);
    RegCloseKey(key);
}

TEST(Registry, ProcessesOfOnePcDoNotLoseEachOthersChanges) {
    TestPc pc;
    RegCloseKey(create(HKEY_LOCAL_MACHINE, "Software\\Race"));
    constexpr int kProcesses = 3, kValues = 40;
    pid_t children[kProcesses];
    for (int p = 0; p < kProcesses; ++p) {
        children[p] = fork();
        ASSERT_GE(children[p], 0);
        if (children[p] == 0) {
            HKEY key = nullptr;
            if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, "Software\\Race", 0, KEY_SET_VALUE, &key) != ERROR_SUCCESS) _exit(1);
            for (int i = 0; i < kValues; ++i) {
                std::string name = "p" + std::to_string(p) + "v" + std::to_string(i);
                if (setText(key, name.c_str(), name) != ERROR_SUCCESS) _exit(2);
            }
            _exit(0);
        }
    }
    for (pid_t child : children) {
        int status = 0;
        ASSERT_EQ(waitpid(child, &status, 0), child);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    }
    HKEY key = nullptr;
    ASSERT_EQ(RegOpenKeyExA(HKEY_LOCAL_MACHINE, "Software\\Race", 0, KEY_READ, &key), ERROR_SUCCESS);
    for (int p = 0; p < kProcesses; ++p)
        for (int i = 0; i < kValues; ++i) {
            std::string name = "p" + std::to_string(p) + "v" + std::to_string(i);
            EXPECT_EQ(queryText(key, name.c_str()), name);
        }
    RegCloseKey(key);
}

TEST(Registry, FailuresGiveThePlatformsCodes) {
    TestPc pc;
    HKEY readOnly = nullptr, writeOnly = nullptr;
    RegCloseKey(create(HKEY_CURRENT_USER, "Exists"));
    ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, "Exists", 0, KEY_READ, &readOnly), ERROR_SUCCESS);
    ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, "Exists", 0, KEY_WRITE, &writeOnly), ERROR_SUCCESS);
    HKEY closed = create(HKEY_CURRENT_USER, "Exists");
    RegCloseKey(closed);
    HKEY performanceData = reinterpret_cast<HKEY>(static_cast<ULONG_PTR>(static_cast<LONG>(0x80000004)));
    const BYTE one[] = "1";
    HKEY result = reinterpret_cast<HKEY>(1);
    DWORD size = 0;
    char buffer[4];

    struct Case {
        const char* what;
        LONG got;
        LONG expected;
    };
    const Case cases[] = {
        {"open a missing key", RegOpenKeyExA(HKEY_CURRENT_USER, "Missing", 0, KEY_READ, &result), ERROR_FILE_NOT_FOUND},
        {"open below a missing key", RegOpenKeyExA(HKEY_CURRENT_USER, "Missing\\X", 0, KEY_READ, &result),
         ERROR_FILE_NOT_FOUND},
        {"query a missing value", RegQueryValueExA(readOnly, "none", nullptr, nullptr, nullptr, &size),
         ERROR_FILE_NOT_FOUND},
        {"query the unset default value", RegQueryValueExA(readOnly, nullptr, nullptr, nullptr, nullptr, &size),
         ERROR_FILE_NOT_FOUND},
        {"delete a missing key", RegDeleteKeyA(HKEY_CURRENT_USER, "Missing"), ERROR_FILE_NOT_FOUND},
        {"delete through an empty name", RegDeleteKeyA(HKEY_CURRENT_USER, ""), ERROR_INVALID_PARAMETER},
        {"a made-up handle", RegOpenKeyExA(reinterpret_cast<HKEY>(0x1235), "x", 0, KEY_READ, &result),
         ERROR_INVALID_HANDLE},
        {"a closed handle", RegSetValueExA(closed, "v", 0, REG_SZ, one, 2), ERROR_INVALID_HANDLE},
        {"a root Windows 95 does not have", RegOpenKeyExA(performanceData, "x", 0, KEY_READ, &result),
         ERROR_INVALID_HANDLE},
        {"close a made-up handle", RegCloseKey(reinterpret_cast<HKEY>(0x1235)), ERROR_INVALID_HANDLE},
        {"a leading backslash", RegOpenKeyExA(HKEY_CURRENT_USER, "\\Exists", 0, KEY_READ, &result),
         ERROR_BAD_PATHNAME},
        {"an empty name inside", RegCreateKeyA(HKEY_CURRENT_USER, "A\\\\B", &result), ERROR_BAD_PATHNAME},
        {"a name too long", RegCreateKeyA(HKEY_CURRENT_USER, std::string(256, 'n').c_str(), &result),
         ERROR_INVALID_PARAMETER},
        {"a line break in a key name", RegCreateKeyA(HKEY_CURRENT_USER, "A\r\nB", &result), ERROR_INVALID_PARAMETER},
        {"a line break in a value name", RegSetValueExA(writeOnly, "a\nb", 0, REG_SZ, one, 2),
         ERROR_INVALID_PARAMETER},
        {"set through a read handle", RegSetValueExA(readOnly, "v", 0, REG_SZ, one, 2), ERROR_ACCESS_DENIED},
        {"query through a write handle", RegQueryValueExA(writeOnly, "v", nullptr, nullptr, nullptr, &size),
         ERROR_ACCESS_DENIED},
        {"create below a read handle",
         RegCreateKeyExA(readOnly, "New", 0, nullptr, 0, KEY_READ, nullptr, &result, nullptr), ERROR_ACCESS_DENIED},
        {"a volatile key",
         RegCreateKeyExA(HKEY_CURRENT_USER, "V", 0, nullptr, REG_OPTION_VOLATILE, KEY_READ, nullptr, &result, nullptr),
         ERROR_INVALID_PARAMETER},
        {"data without its size", RegQueryValueExA(readOnly, "v", nullptr, nullptr, reinterpret_cast<BYTE*>(buffer), nullptr),
         ERROR_INVALID_PARAMETER},
        {"a size without data", RegSetValueExA(writeOnly, "v", 0, REG_SZ, nullptr, 2), ERROR_INVALID_PARAMETER},
    };
    for (const Case& c : cases) EXPECT_EQ(c.got, c.expected) << c.what;
    EXPECT_EQ(result, nullptr) << "a failed open leaves no handle";
    EXPECT_FALSE(exists(HKEY_CURRENT_USER, "New"));
    EXPECT_FALSE(exists(HKEY_CURRENT_USER, "V"));
    RegCloseKey(readOnly);
    RegCloseKey(writeOnly);
}

TEST(Registry, AMalformedFileIsReportedAndNeverOverwritten) {
    TestPc pc;
    const std::string broken = "REGEDIT4\r\n\r\n[HKEY_LOCAL_MACHINE\\Software]\r\n\"a\"=\"unfinished\r\n";
    writeHostFile(registryFile(), broken);

    testing::internal::CaptureStderr();
    HKEY key = nullptr;
    EXPECT_EQ(RegOpenKeyExA(HKEY_LOCAL_MACHINE, "Software", 0, KEY_READ, &key), ERROR_BADDB);
    EXPECT_EQ(RegCreateKeyA(HKEY_LOCAL_MACHINE, "Software\\New", &key), ERROR_BADDB);
    EXPECT_EQ(RegSetValueExA(HKEY_LOCAL_MACHINE, "v", 0, REG_SZ, reinterpret_cast<const BYTE*>("1"), 2), ERROR_BADDB);
    std::string errors = testing::internal::GetCapturedStderr();
    EXPECT_NE(errors.find(registryFile().string() + ":4: "), std::string::npos) << errors;

    EXPECT_EQ(readHostFile(registryFile()), broken);
}

}  // namespace
