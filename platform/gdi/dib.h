// Device-independent bitmaps (the layout of BMP files and bitmap resources) to framebuffers.
#pragma once

#include <cstddef>
#include <optional>
#include <span>
#include <string>

#include "gdi/framebuffer.h"
#include "win/gdi.h"

namespace platform::gdi {

// Bytes of one row of pixel data: rows are padded to four bytes.
std::size_t dibStride(int width, int bitsPerPixel);
// Number of colour-table entries that follow a header.
std::size_t dibColorCount(const BITMAPINFOHEADER& header);

// Decodes ROWS rows of uncompressed pixel data laid out as HEADER says (bottom-up for a
// positive height), with 1, 4, 8, 24 or 32 bits per pixel. On failure ERROR says why.
std::optional<FramebufferPtr> decodeDibPixels(const BITMAPINFOHEADER& header, int rows,
                                              std::span<const RGBQUAD> colors, std::span<const BYTE> bits,
                                              std::string& error);

// A packed DIB: header, colour table, pixel data (a bitmap resource; a BMP file without its
// file header).
std::optional<FramebufferPtr> decodePackedDib(std::span<const BYTE> dib, std::string& error);

// Reads a header from the front of DATA; false when DATA is too short or the header size is odd.
bool readDibHeader(std::span<const BYTE> data, BITMAPINFOHEADER& header, std::string& error);

}  // namespace platform::gdi
