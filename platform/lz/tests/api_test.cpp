// The LZ functions on the files of a fresh PC.
#include "kernel/testing/test_pc.h"
#include "lz/compress.h"
#include "win/lz.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;
using platform::testing::readHostFile;
using platform::testing::TestPc;
using platform::testing::writeHostFile;

const fs::path kTestData = fs::path(KIT_SOURCE_DIR) / "platform/lz/testdata";

std::string fixture(const std::string& name) {
    std::ifstream in(kTestData / name, std::ios::binary);
    EXPECT_TRUE(in) << name;
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::string compressed(const std::string& data) {
    auto bytes = platform::lz::compress({reinterpret_cast<const std::uint8_t*>(data.data()), data.size()});
    return {bytes.begin(), bytes.end()};
}

// Opens SOURCE for reading and DEST for creation, copies, closes both: what the setup program does.
LONG copyFile(const char* source, const char* dest) {
    OFSTRUCT sourceInfo{}, destInfo{};
    INT in = LZOpenFileA(source, &sourceInfo, OF_READ);
    INT out = LZOpenFileA(dest, &destInfo, OF_CREATE);
    LONG result = (in < 0) ? in : (out < 0) ? out : CopyLZFile(in, out);
    if (in >= 0) LZClose(in);
    if (out >= 0) LZClose(out);
    return result;
}

struct CopyCase {
    const char* name;
    std::string source;
    std::string expected;
};

TEST(LzCopy, ExpandsCompressedFilesAndCopiesOthersUnchanged) {
    TestPc pc;
    std::string program(70000, '\0');
    for (std::size_t i = 0; i < program.size(); ++i) program[i] = static_cast<char>((i * 7) % 251);
    const CopyCase cases[] = {
        {"made by mscompress", fixture("readme.txt_"), fixture("readme.txt")},
        {"empty, made by mscompress", fixture("empty.txt_"), ""},
        {"made by us", compressed(program), program},
        {"plain text", "[SETUP]\r\nTITLE=Tavel\r\n", "[SETUP]\r\nTITLE=Tavel\r\n"},
        {"plain, shorter than a header", "SZDD", "SZDD"},
        {"plain, empty", "", ""},
    };
    LZStart();
    for (const CopyCase& c : cases) {
        SCOPED_TRACE(c.name);
        writeHostFile(pc.host("C:\\SOURCE.EX_"), c.source);
        EXPECT_EQ(copyFile("C:\\SOURCE.EX_", "C:\\DEST.EXE"), static_cast<LONG>(c.expected.size()));
        EXPECT_EQ(readHostFile(pc.host("C:\\DEST.EXE")), c.expected);
    }
    LZDone();
}

struct FailCase {
    const char* name;
    std::string source;
    LONG open;  // LZOpenFileA's result when it fails, else 0
    LONG copy;  // LZCopy's result
};

TEST(LzCopy, DamagedCompressedFilesFail) {
    TestPc pc;
    std::string valid = compressed(std::string(5000, 'x') + "tail");
    std::string unknownMode = valid;
    unknownMode[8] = 'B';
    const FailCase cases[] = {
        {"cut short", valid.substr(0, valid.size() - 2), 0, LZERROR_READ},
        {"header cut short", valid.substr(0, 10), LZERROR_READ, 0},
        {"unknown mode", unknownMode, LZERROR_UNKNOWNALG, 0},
    };
    for (const FailCase& c : cases) {
        SCOPED_TRACE(c.name);
        writeHostFile(pc.host("C:\\BAD.EX_"), c.source);
        OFSTRUCT info{};
        INT in = LZOpenFileA("C:\\BAD.EX_", &info, OF_READ);
        if (c.open) {
            EXPECT_EQ(in, c.open);
            continue;
        }
        ASSERT_GE(in, 0);
        INT out = LZOpenFileA("C:\\OUT.EXE", &info, OF_CREATE);
        EXPECT_EQ(LZCopy(in, out), c.copy);
        LZClose(in);
        LZClose(out);
    }
}

TEST(LzOpenFile, MissingSourceFailsAfterTheDestinationIsCreated) {
    TestPc pc;
    EXPECT_EQ(copyFile("A:\\MISSING.EX_", "C:\\MISSING.EXE"), LZERROR_BADINHANDLE);
    EXPECT_TRUE(fs::exists(pc.host("C:\\MISSING.EXE")));
    EXPECT_EQ(readHostFile(pc.host("C:\\MISSING.EXE")), "");
    OFSTRUCT info{};
    EXPECT_EQ(LZOpenFileA("C:\\NO\\SUCH\\DIR.EXE", &info, OF_CREATE), LZERROR_BADINHANDLE);
}

TEST(LzOpenFile, ExistAndDelete) {
    TestPc pc;
    writeHostFile(pc.host("C:\\_SETUP.EXE"), compressed("program"));
    OFSTRUCT info{};
    INT exists = LZOpenFileA("C:\\_SETUP.EXE", &info, OF_EXIST);
    EXPECT_GE(exists, 0);
    EXPECT_TRUE(fs::exists(pc.host("C:\\_SETUP.EXE")));
    INT deleted = LZOpenFileA("c:\\_setup.exe", &info, OF_DELETE);
    EXPECT_GE(deleted, 0);
    LZClose(deleted);
    EXPECT_FALSE(fs::exists(pc.host("C:\\_SETUP.EXE")));
    EXPECT_EQ(LZOpenFileA("C:\\_SETUP.EXE", &info, OF_DELETE), LZERROR_BADINHANDLE);
}

TEST(LzRead, ReadsAndSeeksTheExpandedContent) {
    TestPc pc;
    std::string data = "0123456789" + std::string(3000, '-') + "end";
    writeHostFile(pc.host("C:\\DATA.TX_"), compressed(data));
    OFSTRUCT info{};
    INT file = LZOpenFileA("C:\\DATA.TX_", &info, OF_READ);
    ASSERT_GE(file, 0);
    char buffer[16] = {};
    EXPECT_EQ(LZRead(file, buffer, 4), 4);
    EXPECT_EQ(std::string(buffer, 4), "0123");
    EXPECT_EQ(LZSeek(file, 2, FILE_CURRENT), 6);
    EXPECT_EQ(LZRead(file, buffer, 2), 2);
    EXPECT_EQ(std::string(buffer, 2), "67");
    EXPECT_EQ(LZSeek(file, -3, FILE_END), static_cast<LONG>(data.size() - 3));
    EXPECT_EQ(LZRead(file, buffer, sizeof buffer), 3);
    EXPECT_EQ(std::string(buffer, 3), "end");
    EXPECT_EQ(LZRead(file, buffer, sizeof buffer), 0);

    const struct {
        LONG offset;
        INT origin;
    } outside[] = {{-1, FILE_BEGIN}, {1, FILE_END}, {0, 7}};
    for (const auto& s : outside) EXPECT_EQ(LZSeek(file, s.offset, s.origin), LZERROR_BADVALUE);
    EXPECT_EQ(LZRead(file, buffer, -1), LZERROR_BADVALUE);
    EXPECT_EQ(LZSeek(file, 0, FILE_BEGIN), 0);
    EXPECT_EQ(LZRead(file, buffer, 1), 1);
    EXPECT_EQ(buffer[0], '0');
    LZClose(file);
}

TEST(LzInit, GivesThePlainHandleBackAndClosesTheFileUnderAnLzHandle) {
    TestPc pc;
    writeHostFile(pc.host("C:\\PLAIN.TXT"), "plain");
    writeHostFile(pc.host("C:\\PACKED.TX_"), compressed("packed"));
    OFSTRUCT info{};

    HFILE plain = OpenFile("C:\\PLAIN.TXT", &info, OF_READ);
    EXPECT_EQ(LZInit(plain), plain);
    char buffer[8] = {};
    EXPECT_EQ(LZRead(plain, buffer, sizeof buffer), 5);  // the probe left the position at the start
    LZClose(plain);

    HFILE packed = OpenFile("C:\\PACKED.TX_", &info, OF_READ);
    INT lz = LZInit(packed);
    ASSERT_GE(lz, 0);
    EXPECT_NE(lz, packed);
    EXPECT_EQ(_lread(lz, buffer, 1), static_cast<UINT>(HFILE_ERROR));  // not a file handle
    LZClose(lz);
    EXPECT_EQ(_lclose(packed), HFILE_ERROR);  // already closed with the LZ handle
}

TEST(LzInit, LimitsTheOpenCompressedFiles) {
    TestPc pc;
    writeHostFile(pc.host("C:\\PACKED.TX_"), compressed("packed"));
    OFSTRUCT info{};
    std::vector<INT> open;
    for (;;) {
        INT h = LZOpenFileA("C:\\PACKED.TX_", &info, OF_READ | OF_SHARE_DENY_NONE);
        if (h < 0) {
            EXPECT_EQ(h, LZERROR_GLOBALLOC);
            break;
        }
        open.push_back(h);
        ASSERT_LE(open.size(), 16u);
    }
    EXPECT_EQ(open.size(), 16u);
    LZClose(open.back());
    open.back() = LZOpenFileA("C:\\PACKED.TX_", &info, OF_READ | OF_SHARE_DENY_NONE);
    EXPECT_GE(open.back(), 0);
    for (INT h : open) LZClose(h);
}

TEST(LzCopy, BadHandles) {
    TestPc pc;
    writeHostFile(pc.host("C:\\SOURCE.TXT"), "text");
    OFSTRUCT info{};
    INT in = LZOpenFileA("C:\\SOURCE.TXT", &info, OF_READ);
    INT out = LZOpenFileA("C:\\DEST.TXT", &info, OF_CREATE);
    EXPECT_EQ(LZCopy(in, 0x7777), LZERROR_BADOUTHANDLE);
    EXPECT_EQ(LZCopy(0x7777, out), LZERROR_BADINHANDLE);
    INT readOnly = LZOpenFileA("C:\\SOURCE.TXT", &info, OF_READ);
    EXPECT_EQ(LZCopy(in, readOnly), LZERROR_WRITE);
    LZClose(readOnly);
    LZClose(in);
    LZClose(out);
}

}  // namespace
