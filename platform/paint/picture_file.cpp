#include "paint/picture_file.h"

#include <fcntl.h>
#include <unistd.h>

#include <array>
#include <cstring>
#include <fstream>
#include <vector>

namespace platform::paint {
namespace {

constexpr std::array<char, 8> kMagic{'K', 'I', 'T', 'P', 'I', 'C', '0', '1'};
constexpr std::size_t kHeader = 16;
// Larger than any screen the PC offers, so a broken header cannot ask for gigabytes.
constexpr std::uint32_t kMaxSide = 8192;

void putU32(unsigned char* at, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) at[i] = static_cast<unsigned char>(v >> (8 * i));
}
std::uint32_t getU32(const unsigned char* at) {
    std::uint32_t v = 0;
    for (int i = 0; i < 4; ++i) v |= std::uint32_t(at[i]) << (8 * i);
    return v;
}

bool writeAll(int fd, const unsigned char* data, std::size_t size, off_t offset) {
    while (size > 0) {
        ssize_t n = ::pwrite(fd, data, size, offset);
        if (n <= 0) return false;
        data += n;
        size -= static_cast<std::size_t>(n);
        offset += n;
    }
    return true;
}

}  // namespace

std::filesystem::path pictureFolder(const std::filesystem::path& runFolder) { return runFolder / "pictures"; }

std::filesystem::path pictureFile(const std::filesystem::path& runFolder, std::uint64_t window) {
    return pictureFolder(runFolder) / std::to_string(window);
}

PictureFile::PictureFile(std::filesystem::path file) : file_(std::move(file)) {}

PictureFile::~PictureFile() {
    std::error_code ec;
    std::filesystem::remove(file_, ec);
}

bool PictureFile::write(const gdi::Framebuffer& frame) {
    auto width = static_cast<std::size_t>(frame.width());
    std::vector<unsigned char> bytes(kHeader + width * static_cast<std::size_t>(frame.height()) * 4);
    std::memcpy(bytes.data(), kMagic.data(), kMagic.size());
    putU32(bytes.data() + 8, static_cast<std::uint32_t>(frame.width()));
    putU32(bytes.data() + 12, static_cast<std::uint32_t>(frame.height()));
    unsigned char* out = bytes.data() + kHeader;
    for (int y = 0; y < frame.height(); ++y) {
        const COLORREF* row = frame.row(y);
        for (std::size_t x = 0; x < width; ++x, out += 4) putU32(out, row[x]);
    }
    std::error_code ec;
    std::filesystem::create_directories(file_.parent_path(), ec);
    std::filesystem::path temporary = file_;
    temporary += ".new";
    int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0) return false;
    bool written = writeAll(fd, bytes.data(), bytes.size(), 0);
    ::close(fd);
    if (!written || ::rename(temporary.c_str(), file_.c_str()) != 0) {
        std::filesystem::remove(temporary, ec);
        return false;
    }
    return true;
}

std::optional<gdi::Framebuffer> readPicture(const std::filesystem::path& file, std::string& error) {
    std::ifstream in(file, std::ios::binary);
    if (!in) {
        error = file.string() + ": no such picture";
        return std::nullopt;
    }
    std::array<unsigned char, kHeader> head{};
    if (!in.read(reinterpret_cast<char*>(head.data()), head.size()) ||
        std::memcmp(head.data(), kMagic.data(), kMagic.size()) != 0) {
        error = file.string() + ": not a window picture";
        return std::nullopt;
    }
    std::uint32_t width = getU32(head.data() + 8), height = getU32(head.data() + 12);
    if (width > kMaxSide || height > kMaxSide) {
        error = file.string() + ": picture size " + std::to_string(width) + "x" + std::to_string(height) +
                " is beyond any screen";
        return std::nullopt;
    }
    std::vector<unsigned char> pixels(std::size_t(width) * height * 4);
    if (!in.read(reinterpret_cast<char*>(pixels.data()), static_cast<std::streamsize>(pixels.size()))) {
        error = file.string() + ": picture ends early";
        return std::nullopt;
    }
    gdi::Framebuffer frame(static_cast<int>(width), static_cast<int>(height));
    const unsigned char* at = pixels.data();
    for (std::uint32_t y = 0; y < height; ++y) {
        COLORREF* row = frame.row(static_cast<int>(y));
        for (std::uint32_t x = 0; x < width; ++x, at += 4) row[x] = getU32(at);
    }
    return frame;
}

}  // namespace platform::paint
