#include "gdi/dib.h"

#include <cstdlib>
#include <cstring>
#include <vector>

namespace platform::gdi {

std::size_t dibStride(int width, int bitsPerPixel) {
    return ((static_cast<std::size_t>(width) * bitsPerPixel + 31) / 32) * 4;
}

std::size_t dibColorCount(const BITMAPINFOHEADER& header) {
    if (header.biClrUsed != 0) return header.biClrUsed;
    return header.biBitCount <= 8 ? std::size_t{1} << header.biBitCount : 0;
}

bool readDibHeader(std::span<const BYTE> data, BITMAPINFOHEADER& header, std::string& error) {
    if (data.size() < sizeof header) {
        error = "bitmap data too short for its header";
        return false;
    }
    std::memcpy(&header, data.data(), sizeof header);
    if (header.biSize < sizeof header || header.biSize > data.size()) {
        error = "bitmap header size " + std::to_string(header.biSize) + " is not one of an information header";
        return false;
    }
    return true;
}

std::optional<FramebufferPtr> decodeDibPixels(const BITMAPINFOHEADER& header, int rows,
                                              std::span<const RGBQUAD> colors, std::span<const BYTE> bits,
                                              std::string& error) {
    int bpp = header.biBitCount;
    if (header.biCompression != BI_RGB) {
        error = "compressed bitmaps are not supported";
        return std::nullopt;
    }
    if (bpp != 1 && bpp != 4 && bpp != 8 && bpp != 24 && bpp != 32) {
        error = std::to_string(bpp) + " bits per pixel is not supported";
        return std::nullopt;
    }
    int width = header.biWidth;
    if (width <= 0 || width > 32768 || rows <= 0 || rows > 32768) {
        error = "bitmap size " + std::to_string(width) + "x" + std::to_string(rows) + " is out of range";
        return std::nullopt;
    }
    std::size_t stride = dibStride(width, bpp);
    if (bits.size() < stride * rows) {
        error = "bitmap pixel data too short: " + std::to_string(bits.size()) + " bytes for " +
                std::to_string(stride * rows);
        return std::nullopt;
    }
    bool bottomUp = header.biHeight > 0;
    auto frame = std::make_shared<Framebuffer>(width, rows);
    for (int y = 0; y < rows; ++y) {
        const BYTE* source = bits.data() + stride * y;
        COLORREF* target = frame->row(bottomUp ? rows - 1 - y : y);
        for (int x = 0; x < width; ++x) {
            if (bpp >= 24) {
                const BYTE* p = source + static_cast<std::size_t>(x) * (bpp / 8);
                target[x] = RGB(p[2], p[1], p[0]);
                continue;
            }
            int perByte = 8 / bpp;
            unsigned index = (source[x / perByte] >> ((perByte - 1 - x % perByte) * bpp)) & ((1u << bpp) - 1);
            if (index >= colors.size()) {
                target[x] = RGB(0, 0, 0);  // an index beyond a short colour table
                continue;
            }
            const RGBQUAD& c = colors[index];
            target[x] = RGB(c.rgbRed, c.rgbGreen, c.rgbBlue);
        }
    }
    return frame;
}

std::optional<FramebufferPtr> decodePackedDib(std::span<const BYTE> dib, std::string& error) {
    BITMAPINFOHEADER header;
    if (!readDibHeader(dib, header, error)) return std::nullopt;
    std::size_t colorBytes = dibColorCount(header) * sizeof(RGBQUAD);
    if (header.biSize + colorBytes > dib.size()) {
        error = "bitmap colour table runs past the end of the data";
        return std::nullopt;
    }
    std::vector<RGBQUAD> colors(dibColorCount(header));
    if (colorBytes > 0) std::memcpy(colors.data(), dib.data() + header.biSize, colorBytes);
    long long rows = header.biHeight < 0 ? -static_cast<long long>(header.biHeight) : header.biHeight;
    if (rows > 32768) {
        error = "bitmap height " + std::to_string(header.biHeight) + " is out of range";
        return std::nullopt;
    }
    return decodeDibPixels(header, static_cast<int>(rows), colors, dib.subspan(header.biSize + colorBytes), error);
}

}  // namespace platform::gdi
