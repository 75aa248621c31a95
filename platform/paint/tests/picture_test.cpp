// Window picture files: what a reader accepts and how it names what is wrong.
#include "paint/picture_file.h"

#include <unistd.h>

#include <gtest/gtest.h>

#include <fstream>

namespace {

namespace fs = std::filesystem;
using platform::paint::PictureFile;
using platform::paint::readPicture;

class PictureTest : public ::testing::Test {
protected:
    fs::path dir = fs::temp_directory_path() / ("picture_test_" + std::to_string(::getpid()));
    void SetUp() override { fs::create_directories(dir); }
    void TearDown() override { fs::remove_all(dir); }
};

TEST_F(PictureTest, RoundTripKeepsEveryPixel) {
    platform::gdi::Framebuffer frame(3, 2, RGB(1, 2, 3));
    frame.setPixel(2, 1, RGB(250, 128, 7));
    PictureFile file(dir / "w");
    ASSERT_TRUE(file.write(frame));
    std::string error;
    auto back = readPicture(dir / "w", error);
    ASSERT_TRUE(back) << error;
    EXPECT_EQ(back->width(), 3);
    EXPECT_EQ(back->height(), 2);
    EXPECT_EQ(back->pixel(0, 0), RGB(1, 2, 3));
    EXPECT_EQ(back->pixel(2, 1), RGB(250, 128, 7));
}

TEST_F(PictureTest, BadFilesAreRefusedNamingTheFault) {
    struct Case {
        const char* name;
        std::string bytes;
        const char* says;
    } cases[] = {
        {"other", "PNGxxxxx\1\0\0\0\1\0\0\0abcd", "not a window picture"},
        {"short", std::string("KITPIC01\2\0\0\0\2\0\0\0abcd", 20), "ends early"},
        {"huge", std::string("KITPIC01\0\0\1\0\0\0\1\0", 16), "beyond any screen"},
        {"missing", "", "no such picture"},
    };
    for (const Case& c : cases) {
        if (!c.bytes.empty()) std::ofstream(dir / c.name, std::ios::binary) << c.bytes;
        std::string error;
        EXPECT_FALSE(readPicture(dir / c.name, error)) << c.name;
        EXPECT_NE(error.find(c.says), std::string::npos) << c.name << ": " << error;
        EXPECT_NE(error.find(c.name), std::string::npos) << error;
    }
}

TEST_F(PictureTest, RemovedWithItsOwner) {
    {
        PictureFile file(dir / "gone");
        ASSERT_TRUE(file.write(platform::gdi::Framebuffer(1, 1)));
        EXPECT_TRUE(fs::exists(dir / "gone"));
    }
    EXPECT_FALSE(fs::exists(dir / "gone"));
}

}  // namespace
