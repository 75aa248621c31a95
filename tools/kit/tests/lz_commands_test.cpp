// kit compress and kit expand, run as the program the demo and the disk builder run.
#include "lz/expand.h"
#include "lz/testing/reference_expanders.h"

#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

const fs::path kKit = fs::path(KIT_BINARY_DIR) / "tools/kit/kit";
const fs::path kTestData = fs::path(KIT_SOURCE_DIR) / "platform/lz/testdata";

std::string readFile(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void writeFile(const fs::path& file, const std::string& content) {
    std::ofstream(file, std::ios::binary) << content;
}

std::vector<std::uint8_t> bytes(const std::string& s) { return {s.begin(), s.end()}; }

class KitTool : public ::testing::Test {
protected:
    void SetUp() override {
        std::string pattern = (fs::temp_directory_path() / "kit-test-XXXXXX").string();
        ASSERT_TRUE(mkdtemp(pattern.data()));
        dir_ = pattern;
    }
    void TearDown() override { fs::remove_all(dir_); }

    struct Run {
        int exitCode;
        std::string errors;
    };
    Run kit(const std::string& arguments) {
        fs::path errors = dir_ / "stderr";
        std::string command = "'" + kKit.string() + "' " + arguments + " 2> '" + errors.string() + "'";
        int status = std::system(command.c_str());
        Run run{WIFEXITED(status) ? WEXITSTATUS(status) : -1, readFile(errors)};
        fs::remove(errors);
        return run;
    }
    fs::path path(const std::string& name) const { return dir_ / name; }
    std::string quoted(const std::string& name) const { return "'" + path(name).string() + "'"; }
    std::vector<std::string> files() const {
        std::vector<std::string> names;
        for (const auto& entry : fs::directory_iterator(dir_)) names.push_back(entry.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }

    fs::path dir_;
};

TEST_F(KitTool, CompressedFilesExpandAgainHereAndWithLibmspack) {
    std::string original = readFile("/proc/self/exe").substr(0, 200000);
    writeFile(path("PLAYER.DRV"), original);
    ASSERT_EQ(kit("compress " + quoted("PLAYER.DRV") + " " + quoted("PLAYER.DR_")).exitCode, 0);
    std::string packed = readFile(path("PLAYER.DR_"));
    EXPECT_LT(packed.size(), original.size());
    EXPECT_EQ(platform::lz::readHeader(bytes(packed)).missing, 'V');
    EXPECT_EQ(platform::lz::testing::expandWithLibmspack(bytes(packed)), bytes(original));

    ASSERT_EQ(kit("expand " + quoted("PLAYER.DR_") + " " + quoted("AGAIN.DRV")).exitCode, 0);
    EXPECT_EQ(readFile(path("AGAIN.DRV")), original);
}

TEST_F(KitTool, ExpandsFilesMadeByMscompress) {
    ASSERT_EQ(kit("expand '" + (kTestData / "readme.txt_").string() + "' " + quoted("readme.txt")).exitCode, 0);
    EXPECT_EQ(readFile(path("readme.txt")), readFile(kTestData / "readme.txt"));
}

struct Failure {
    const char* name;
    const char* command;
    const char* in;
    const char* out;  // null: left out
    int exitCode;
    std::string message;  // "DIR" stands for the test's folder
};

TEST_F(KitTool, FailuresNameTheFileAndLeaveNoPartialOutput) {
    writeFile(path("PLAIN.TXT"), "not compressed");
    std::string packed = readFile(kTestData / "binary.bin_");
    writeFile(path("CUT.BI_"), packed.substr(0, packed.size() / 2));
    fs::create_directory(path("FOLDER"));
    const Failure cases[] = {
        {"expand a plain file", "expand", "PLAIN.TXT", "OUT", 1, "cannot expand 'DIR/PLAIN.TXT': not in the LZ expand format"},
        {"expand a cut file", "expand", "CUT.BI_", "OUT", 1, "cannot expand 'DIR/CUT.BI_': the data ends after"},
        {"compress a missing file", "compress", "MISSING", "OUT", 1, "cannot read 'DIR/MISSING': No such file or directory"},
        {"compress a folder", "compress", "FOLDER", "OUT", 1, "cannot read 'DIR/FOLDER': it is a folder"},
        {"compress into a missing folder", "compress", "PLAIN.TXT", "NO/OUT", 1, "cannot write 'DIR/NO/OUT'"},
        {"one argument", "expand", "PLAIN.TXT", nullptr, 2, "usage: kit expand IN OUT"},
        {"unknown command", "squeeze", "PLAIN.TXT", "OUT", 2, "kit: unknown command 'squeeze'"},
    };
    for (const Failure& c : cases) {
        SCOPED_TRACE(c.name);
        writeFile(path("OUT"), "old content");
        Run run = kit(std::string(c.command) + " " + quoted(c.in) + (c.out ? " " + quoted(c.out) : ""));
        EXPECT_EQ(run.exitCode, c.exitCode);
        std::string message = c.message;
        if (auto at = message.find("DIR"); at != std::string::npos) message.replace(at, 3, dir_.string());
        EXPECT_NE(run.errors.find(message), std::string::npos) << run.errors;
        EXPECT_EQ(readFile(path("OUT")), "old content");
        EXPECT_EQ(files(), (std::vector<std::string>{"CUT.BI_", "FOLDER", "OUT", "PLAIN.TXT"}));
    }
}

}  // namespace
