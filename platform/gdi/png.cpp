#include "gdi/png.h"

#include <png.h>

#include <cstdio>
#include <memory>
#include <stdexcept>
#include <vector>

namespace platform::gdi {

namespace {

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};
using File = std::unique_ptr<std::FILE, FileCloser>;

[[noreturn]] void fail(const std::filesystem::path& file, const std::string& what) {
    throw std::runtime_error(file.string() + ": " + what);
}

}  // namespace

void writePng(const Framebuffer& frame, const std::filesystem::path& file) {
    File out(std::fopen(file.c_str(), "wb"));
    if (!out) fail(file, "cannot be created");
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png ? png_create_info_struct(png) : nullptr;
    if (!info) {
        png_destroy_write_struct(&png, nullptr);
        fail(file, "PNG writer cannot be set up");
    }
    std::vector<png_byte> row(static_cast<std::size_t>(frame.width()) * 3);
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        fail(file, "PNG data cannot be written");
    }
    png_init_io(png, out.get());
    png_set_IHDR(png, info, static_cast<png_uint_32>(frame.width()), static_cast<png_uint_32>(frame.height()), 8,
                 PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    for (int y = 0; y < frame.height(); ++y) {
        const COLORREF* pixels = frame.row(y);
        for (int x = 0; x < frame.width(); ++x) {
            row[3 * x] = GetRValue(pixels[x]);
            row[3 * x + 1] = GetGValue(pixels[x]);
            row[3 * x + 2] = GetBValue(pixels[x]);
        }
        png_write_row(png, row.data());
    }
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    if (std::fflush(out.get()) != 0) fail(file, "cannot be written");
}

}  // namespace platform::gdi
