#include "actions/drawing.h"

#include "win/gdi.h"
#include "win/resource.h"

#include <cstring>

namespace {

// Where the pixels begin behind the 40-byte header and its full colour table; 0 for a depth
// that the loader does not handle.
DWORD pixelOffset(WORD bitCount)
{
    switch (bitCount) {
    case 1: return 40 + 2 * 4;
    case 4: return 40 + 16 * 4;
    case 8: return 40 + 256 * 4;
    default: return 0;
    }
}

// Bytes of pixel rows that the header promises, each row padded to four bytes.
DWORD pixelBytes(const BITMAPINFOHEADER& header)
{
    DWORD rowBytes = ((static_cast<DWORD>(header.biWidth) * header.biBitCount + 31) / 32) * 4;
    LONG rows = header.biHeight < 0 ? -header.biHeight : header.biHeight;
    return rowBytes * static_cast<DWORD>(rows);
}

}  // namespace

HBITMAP loadBitmapResource(HINSTANCE module, HDC dc, int id)
{
    HRSRC found = FindResourceA(module, MAKEINTRESOURCEA(id), RT_BITMAP);
    if (!found)
        return nullptr;
    HGLOBAL resource = LoadResource(module, found);
    if (!resource)
        return nullptr;

    HBITMAP bitmap = nullptr;
    const BYTE* data = static_cast<const BYTE*>(LockResource(resource));
    DWORD size = SizeofResource(module, found);
    if (data && size >= sizeof(BITMAPINFOHEADER)) {
        BITMAPINFOHEADER header;
        std::memcpy(&header, data, sizeof header);
        DWORD offset = pixelOffset(header.biBitCount);
        // A resource shorter than its header says is refused rather than read beyond its end.
        if (offset != 0 && header.biWidth > 0 && header.biHeight != 0 && header.biWidth <= 0x7FFF &&
            header.biHeight <= 0x7FFF && header.biHeight >= -0x7FFF && size >= offset &&
            size - offset >= pixelBytes(header))
            bitmap = CreateDIBitmap(dc, &header, CBM_INIT, data + offset,
                                    reinterpret_cast<const BITMAPINFO*>(data), DIB_RGB_COLORS);
    }
    FreeResource(resource);
    return bitmap;
}
