// Bitmaps and block transfers between DCs.
#include <cstdlib>
#include <cstring>
#include <optional>
#include <vector>
#include <algorithm>

#include "gdi/device_context.h"
#include "gdi/dib.h"
#include "gdi/stock.h"
#include "win/gdi.h"
#include "win/kernel.h"

using namespace platform::gdi;

HBITMAP WINAPI CreateCompatibleBitmap(HDC handle, int width, int height) {
    if (!findDc(handle) || width < 0 || height < 0 || static_cast<long long>(width) * height > (1 << 26)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    return addBitmap(makeFramebuffer(std::max(width, 1), std::max(height, 1), RGB(0, 0, 0)));
}

HBITMAP WINAPI CreateDIBitmap(HDC handle, const BITMAPINFOHEADER* header, DWORD init, const void* bits,
                              const BITMAPINFO* info, UINT usage) {
    if (!header || usage != DIB_RGB_COLORS || header->biWidth <= 0 || header->biHeight == 0 ||
        header->biHeight < -32768 || header->biHeight > 32768) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    int width = header->biWidth;
    int height = std::abs(header->biHeight);
    if (!(init & CBM_INIT)) return CreateCompatibleBitmap(handle, width, height);
    if (!bits || !info) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    std::span<const RGBQUAD> colors(info->bmiColors, dibColorCount(info->bmiHeader));
    std::size_t size = dibStride(width, header->biBitCount) * height;
    std::string error;
    std::optional<FramebufferPtr> pixels =
        decodeDibPixels(*header, height, colors, std::span(static_cast<const BYTE*>(bits), size), error);
    if (!pixels) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    return addBitmap(*pixels);
}

namespace {

// The result of raster operation ROP for one pixel; false for an operation we do not offer.
bool combine(DWORD rop, COLORREF source, COLORREF dest, COLORREF pattern, COLORREF& result) {
    switch (rop) {
    case SRCCOPY:
        result = source;
        return true;
    case SRCPAINT:
        result = source | dest;
        return true;
    case SRCAND:
        result = source & dest;
        return true;
    case SRCINVERT:
        result = source ^ dest;
        return true;
    case NOTSRCCOPY:
        result = ~source & 0x00FFFFFF;
        return true;
    case DSTINVERT:
        result = ~dest & 0x00FFFFFF;
        return true;
    case PATCOPY:
        result = pattern;
        return true;
    case BLACKNESS:
        result = RGB(0, 0, 0);
        return true;
    case WHITENESS:
        result = RGB(255, 255, 255);
        return true;
    default:
        return false;
    }
}

bool usesSource(DWORD rop) { return rop != DSTINVERT && rop != PATCOPY && rop != BLACKNESS && rop != WHITENESS; }

// Copies a block, scaling it with the nearest source pixel; a negative size mirrors.
BOOL transfer(HDC destHandle, int x, int y, int width, int height, HDC sourceHandle, int sourceX, int sourceY,
              int sourceWidth, int sourceHeight, DWORD rop) {
    auto dest = findDc(destHandle);
    COLORREF dummy;
    if (!dest || !combine(rop, 0, 0, 0, dummy)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    std::shared_ptr<DeviceContext> source;
    if (usesSource(rop)) {
        source = findDc(sourceHandle);
        if (!source || sourceWidth == 0 || sourceHeight == 0) {
            SetLastError(ERROR_INVALID_PARAMETER);
            return FALSE;
        }
    }
    COLORREF pattern = 0;
    if (rop == PATCOPY && !brushColor(dest->brushHandle, pattern)) return TRUE;
    // Mirroring: a negative extent on one side only flips that axis.
    bool flipX = (width < 0) != (sourceWidth < 0);
    bool flipY = (height < 0) != (sourceHeight < 0);
    if (width < 0) {
        x += width + 1;
        width = -width;
    }
    if (height < 0) {
        y += height + 1;
        height = -height;
    }
    if (sourceWidth < 0) {
        sourceX += sourceWidth + 1;
        sourceWidth = -sourceWidth;
    }
    if (sourceHeight < 0) {
        sourceY += sourceHeight + 1;
        sourceHeight = -sourceHeight;
    }
    const Framebuffer* sourcePixels = source ? source->target() : nullptr;
    RECT sourceBounds = source ? boundsOf(*sourcePixels) : RECT{};
    // Only the part of the destination inside its clip is visited.
    RECT area = intersect(dest->toDevice(RECT{x, y, x + width, y + height}), dest->clip());
    if (isEmpty(area)) return TRUE;
    POINT corner = dest->toDevice(x, y);
    int areaWidth = area.right - area.left;
    // Read the source first so that a copy within one framebuffer sees the old pixels.
    std::vector<std::optional<COLORREF>> block(static_cast<std::size_t>(areaWidth) * (area.bottom - area.top));
    if (source)
        for (int deviceY = area.top; deviceY < area.bottom; ++deviceY) {
            int row = deviceY - corner.y;
            int fromRow = static_cast<int>((2LL * row + 1) * sourceHeight / (2LL * height));
            if (flipY) fromRow = sourceHeight - 1 - fromRow;
            for (int deviceX = area.left; deviceX < area.right; ++deviceX) {
                int column = deviceX - corner.x;
                int fromColumn = static_cast<int>((2LL * column + 1) * sourceWidth / (2LL * width));
                if (flipX) fromColumn = sourceWidth - 1 - fromColumn;
                POINT p = source->toDevice(sourceX + fromColumn, sourceY + fromRow);
                if (p.x >= sourceBounds.left && p.x < sourceBounds.right && p.y >= sourceBounds.top &&
                    p.y < sourceBounds.bottom)
                    block[static_cast<std::size_t>(deviceY - area.top) * areaWidth + (deviceX - area.left)] =
                        sourcePixels->pixel(p.x, p.y);
            }
        }
    Framebuffer& target = *dest->target();
    for (int deviceY = area.top; deviceY < area.bottom; ++deviceY)
        for (int deviceX = area.left; deviceX < area.right; ++deviceX) {
            const auto& from = block[static_cast<std::size_t>(deviceY - area.top) * areaWidth + (deviceX - area.left)];
            if (source && !from) continue;  // outside the source: the destination stays
            COLORREF result = 0;
            combine(rop, from.value_or(0), target.pixel(deviceX, deviceY), pattern, result);
            target.setPixel(deviceX, deviceY, result);
        }
    return TRUE;
}

}  // namespace

BOOL WINAPI BitBlt(HDC dest, int x, int y, int width, int height, HDC source, int sourceX, int sourceY, DWORD rop) {
    return transfer(dest, x, y, width, height, source, sourceX, sourceY, width, height, rop);
}

BOOL WINAPI StretchBlt(HDC dest, int x, int y, int width, int height, HDC source, int sourceX, int sourceY,
                       int sourceWidth, int sourceHeight, DWORD rop) {
    return transfer(dest, x, y, width, height, source, sourceX, sourceY, sourceWidth, sourceHeight, rop);
}
