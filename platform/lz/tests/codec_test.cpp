// The codec against files made by mscompress, and our files against libmspack and msexpand.
#include "lz/compress.h"
#include "lz/expand.h"
#include "lz/testing/reference_expanders.h"

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <vector>

namespace platform::lz {
namespace {

namespace fs = std::filesystem;
using Data = std::vector<std::uint8_t>;

const fs::path kTestData = fs::path(KIT_SOURCE_DIR) / "platform/lz/testdata";

Data readFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    EXPECT_TRUE(in) << "cannot read " << path;
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

Data text(std::string_view s) { return {s.begin(), s.end()}; }

Data randomBytes(std::size_t size, unsigned seed, int alphabet = 256) {
    std::mt19937 random(seed);
    std::uniform_int_distribution<int> byte(0, alphabet - 1);
    Data out(size);
    for (auto& b : out) b = static_cast<std::uint8_t>(byte(random));
    return out;
}

Data concat(Data a, const Data& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

// Prose with repeats at all distances, like a read-me file.
Data prose(std::size_t size) {
    const char* words[] = {"the ", "player ", "remote ", "control ", "install ", "Windows ", "driver ",
                           "card ", "MPEG ", "setup ", "file ", "disk ", "\r\n", "and ", "of ", "to "};
    std::mt19937 random(7);
    Data out;
    while (out.size() < size) {
        const char* w = words[random() % std::size(words)];
        out.insert(out.end(), w, w + std::strlen(w));
    }
    out.resize(size);
    return out;
}

Data ownImage(std::size_t size) {
    Data image = readFile("/proc/self/exe");
    if (image.size() > size) image.resize(size);
    return image;
}

// --- files made by mscompress expand to their originals --------------------------------------

TEST(LzExpand, ExpandsFilesMadeByMscompress) {
    // empty.txt_ ends with a stray literal past its recorded length of 0, as mscompress writes it.
    for (const char* name : {"readme.txt", "binary.bin", "empty.txt", "blanks.txt"}) {
        SCOPED_TRACE(name);
        Data original = readFile(kTestData / name);
        Data compressed = readFile(kTestData / (std::string(name) + "_"));
        EXPECT_EQ(expand(compressed), original);
    }
}

// --- our files expand exactly with every expander, and are smaller than mscompress's ----------

struct RoundTrip {
    const char* name;
    Data data;
};

std::vector<RoundTrip> roundTrips() {
    Data window = randomBytes(kWindowSize, 3);
    Data pastWindow = randomBytes(kWindowSize + 1, 4);
    return {
        {"empty", {}},
        {"one byte", text("x")},
        {"two bytes", text("xy")},
        {"blanks only", Data(5000, ' ')},
        {"blanks then text", concat(Data(40, ' '), text("blanks at the start match the window's blanks"))},
        {"run of one byte", Data(10000, 'A')},
        {"short period", concat(text("abc"), Data(300, 'q'))},
        {"random", randomBytes(20000, 1)},
        {"two-letter alphabet", randomBytes(20000, 2, 2)},
        {"repeat a whole window back", concat(window, window)},
        {"repeat just out of the window", concat(pastWindow, pastWindow)},
        {"prose", prose(60000)},
        {"mscompress fixture binary", readFile(kTestData / "binary.bin")},
        {"program image", ownImage(300000)},
    };
}

TEST(LzCompress, EveryExpanderRestoresOurFiles) {
    bool msexpand = testing::haveMsexpand();
    for (const RoundTrip& c : roundTrips()) {
        SCOPED_TRACE(c.name);
        Data compressed = compress(c.data, 'x');
        EXPECT_EQ(expand(compressed), c.data);
        EXPECT_EQ(testing::expandWithLibmspack(compressed), c.data);
        if (msexpand) {
            EXPECT_EQ(testing::expandWithMsexpand(compressed), c.data);
        }
    }
    if (!msexpand) GTEST_SKIP() << "msexpand is not installed; checked with libmspack only";
}

TEST(LzCompress, SmallerThanMscompress) {
    for (const char* name : {"readme.txt", "binary.bin", "blanks.txt"}) {
        SCOPED_TRACE(name);
        Data theirs = readFile(kTestData / (std::string(name) + "_"));
        EXPECT_LT(compress(readFile(kTestData / name)).size(), theirs.size());
    }
    auto image = ownImage(300000);
    auto theirs = testing::compressWithMscompress(image);
    if (!theirs) GTEST_SKIP() << "mscompress is not installed";
    EXPECT_LT(compress(image).size(), theirs->size());
}

TEST(LzCompress, HeaderRecordsLengthAndMissingCharacter) {
    Data compressed = compress(text("PLAYER"), missingCharacter("PLAYER.DRV"));
    Header header = readHeader(compressed);
    EXPECT_EQ(header.length, 6u);
    EXPECT_EQ(header.missing, 'V');
    EXPECT_EQ(compressed[8], 'A');
    EXPECT_EQ(missingCharacter(""), '\0');
}

TEST(LzCompress, BlankRunsAtTheStartAreMatchesIntoTheWindow) {
    // 36 blanks: two matches of 18 into the initial window, one control byte.
    EXPECT_EQ(compress(Data(36, ' ')).size(), kHeaderSize + 1 + 2 * 2);
}

TEST(LzCompress, TakesALiteralWhenThatOpensALongerMatch) {
    // At the second "abc" the longest match is 3 bytes; a literal "a" followed by the 18-byte
    // match of "bc...s" costs less than "abc" followed by a 16-byte match. 25 items: 18 + 5
    // literals, then a literal and a match (3 bytes), in 4 groups.
    Data data = text("bcdefghijklmnopqrs#abc%abcdefghijklmnopqrs");
    EXPECT_EQ(compress(data).size(), kHeaderSize + 18 + 5 + 3 + 4);
}

// --- malformed input fails with the reason, never crashes --------------------------------------

Data header(std::uint32_t length, std::uint8_t mode = 'A') {
    auto h = makeHeader({0, length});
    h[8] = mode;
    return {h.begin(), h.end()};
}

Data withLength(Data file, std::uint32_t length) {
    auto h = makeHeader({static_cast<char>(file[9]), length});
    std::copy(h.begin(), h.end(), file.begin());
    return file;
}

struct Malformed {
    const char* name;
    Data file;
    Fault fault;
    const char* reason;
};

TEST(LzExpand, MalformedFilesFailWithTheirReason) {
    Data valid = compress(randomBytes(1000, 5));
    const Malformed cases[] = {
        {"shorter than the magic", text("SZD"), Fault::BadHeader, "not in the LZ expand format"},
        {"another magic", text("SZDX\x88\xF0\x27\x33" "A\0\0\0\0\0"), Fault::BadHeader, "not in the LZ expand format"},
        {"header cut short", text("SZDD\x88\xF0\x27\x33" "A"), Fault::BadHeader, "cut short"},
        {"unknown mode", header(0, 'B'), Fault::UnknownMode, "unknown compression mode 0x42"},
        {"no data for a length", header(5), Fault::Truncated, "more than 0 bytes of data can hold"},
        {"literal missing", concat(header(3), {0xFF, 'a'}), Fault::Truncated, "ends after 1 of 3 bytes"},
        {"match cut in half", concat(header(9), {0x00, 0x10}), Fault::Truncated, "ends after 0 of 9 bytes"},
        {"match past the length", concat(header(4), {0x00, 0x00, 0x0F}), Fault::Overlong, "runs past the recorded length of 4"},
        {"length larger than the data", withLength(valid, 2000), Fault::Truncated, "ends after 1000 of 2000 bytes"},
        {"length far larger than the data", withLength(valid, 0xFFFFFFFF), Fault::Truncated, "more than"},
        {"data far past the length", withLength(valid, 100), Fault::Overlong, "goes on past the recorded length of 100"},
    };
    for (const Malformed& c : cases) {
        SCOPED_TRACE(c.name);
        try {
            expand(c.file);
            ADD_FAILURE() << "expanded";
        } catch (const FormatError& e) {
            EXPECT_EQ(e.fault(), c.fault);
            EXPECT_NE(std::string(e.what()).find(c.reason), std::string::npos) << e.what();
        }
    }
}

TEST(LzExpand, DamagedFilesNeverExpandToAWrongLength) {
    Data valid = compress(concat(prose(3000), randomBytes(1000, 6)));
    for (std::size_t size = 0; size < valid.size(); ++size) {
        Data cut(valid.begin(), valid.begin() + static_cast<std::ptrdiff_t>(size));
        EXPECT_THROW(expand(cut), FormatError) << "cut to " << size << " bytes";
    }
    std::mt19937 random(9);
    for (int round = 0; round < 3000; ++round) {
        Data damaged = valid;
        damaged[random() % damaged.size()] ^= static_cast<std::uint8_t>(1 + random() % 255);
        try {
            EXPECT_EQ(expand(damaged).size(), readHeader(damaged).length);
        } catch (const FormatError&) {
        }
    }
}

}  // namespace
}  // namespace platform::lz
