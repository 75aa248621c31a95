// The pictures of top-level windows as files in the PC's run folder, so that other programs of
// the PC (the screen shot, the viewer) can compose the screen from them.
//
// A picture file is "KITPIC01", u32 width, u32 height (little-endian), then width * height
// pixels of 4 bytes (COLORREF order: red, green, blue, 0), row by row from the top.
#pragma once

#include "gdi/framebuffer.h"

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>

namespace platform::paint {

// The folder of the pictures inside a run folder, and the file of one window's picture.
std::filesystem::path pictureFolder(const std::filesystem::path& runFolder);
std::filesystem::path pictureFile(const std::filesystem::path& runFolder, std::uint64_t window);

// The picture file of one window, written after each paint and removed with the window.
class PictureFile {
public:
    explicit PictureFile(std::filesystem::path file);
    ~PictureFile();
    PictureFile(const PictureFile&) = delete;
    PictureFile& operator=(const PictureFile&) = delete;

    // Replaces the file with FRAME in one step (readers see the old or the new picture, never a
    // mix); false, and the file left as it was, on failure.
    bool write(const gdi::Framebuffer& frame);

private:
    std::filesystem::path file_;
};

// Reads a picture file; std::nullopt with ERROR when it is missing, cut short or malformed.
std::optional<gdi::Framebuffer> readPicture(const std::filesystem::path& file, std::string& error);

}  // namespace platform::paint
