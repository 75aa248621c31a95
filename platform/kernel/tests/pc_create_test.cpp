#include "kernel/pc_create.h"
#include "kernel/testing/test_pc.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <stdexcept>

namespace fs = std::filesystem;
using platform::testing::readHostFile;

namespace {

fs::path freshFolder(const char* name) {
    fs::path dir = fs::temp_directory_path() / (std::string("kit-create-") + name + "-" + std::to_string(::getpid()));
    fs::remove_all(dir);
    return dir;
}

TEST(PcCreate, FreshPcHasTheWindowsFilesAndSettings) {
    const fs::path dir = freshFolder("fresh");
    platform::PcOptions options;
    options.screenWidth = 800;
    options.screenHeight = 600;
    options.korean = true;
    platform::createPc(dir, options);
    EXPECT_TRUE(platform::Pc::isPcFolder(dir));
    for (const char* f : {"c/WINDOWS/WIN.INI", "c/WINDOWS/SYSTEM.INI", "c/CONFIG.SYS", "c/AUTOEXEC.BAT", "registry.reg"})
        EXPECT_TRUE(fs::is_regular_file(dir / f)) << f;
    EXPECT_TRUE(fs::is_directory(dir / "c/WINDOWS/SYSTEM"));
    EXPECT_TRUE(fs::is_directory(dir / "a"));
    const std::string win = readHostFile(dir / "c/WINDOWS/WIN.INI");
    EXPECT_NE(win.find("[intl]\r\n"), std::string::npos);
    EXPECT_NE(win.find("sLanguage=kor\r\n"), std::string::npos);
    EXPECT_NE(readHostFile(dir / "c/WINDOWS/SYSTEM.INI").find("[386Enh]\r\n"), std::string::npos);
    platform::PcSettings s = platform::readPcSettings(dir / "pc.ini");
    EXPECT_EQ(s.screenWidth, 800);
    EXPECT_EQ(s.screenHeight, 600);
    EXPECT_EQ(s.codePage, 949);

    // An existing PC is kept unless forced; a folder that is no PC is never replaced.
    platform::testing::writeHostFile(dir / "c/KEEP.TXT", "mine");
    EXPECT_THROW(platform::createPc(dir, {}), std::runtime_error);
    EXPECT_TRUE(fs::exists(dir / "c/KEEP.TXT"));
    platform::PcOptions force;
    force.force = true;
    platform::createPc(dir, force);
    EXPECT_FALSE(fs::exists(dir / "c/KEEP.TXT"));
    EXPECT_NE(readHostFile(dir / "c/WINDOWS/WIN.INI").find("sLanguage=enu"), std::string::npos);

    const fs::path other = freshFolder("other");
    fs::create_directories(other);
    platform::testing::writeHostFile(other / "notes.txt", "x");
    EXPECT_THROW(platform::createPc(other, force), std::runtime_error);
    EXPECT_TRUE(fs::exists(other / "notes.txt"));
    fs::remove_all(dir);
    fs::remove_all(other);
}

TEST(PcCreate, ScreenSizes) {
    int w = 0, h = 0;
    EXPECT_TRUE(platform::parseScreen("1024x768", w, h));
    EXPECT_EQ(w, 1024);
    EXPECT_EQ(h, 768);
    EXPECT_FALSE(platform::parseScreen("1280x1024", w, h));
    EXPECT_FALSE(platform::parseScreen("800", w, h));
}

}  // namespace
