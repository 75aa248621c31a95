// Icons, bitmaps and cursors: from the program's resources, and the system's own.
#include <cmath>
#include <cstring>
#include <map>
#include <mutex>
#include <string>

#include "gdi/device_context.h"
#include "gdi/dib.h"
#include "gdi/objects.h"
#include "rc/stock_images.h"
#include "win/kernel.h"
#include "win/resource.h"

using namespace platform;

namespace {

std::span<const BYTE> resourceData(LPCSTR name, LPCSTR type) {
    HRSRC found = FindResourceA(nullptr, name, type);
    if (!found) return {};
    auto* data = static_cast<const BYTE*>(LockResource(LoadResource(nullptr, found)));
    return std::span<const BYTE>(data, SizeofResource(nullptr, found));
}

std::string keyOf(LPCSTR name) {
    if (IS_INTRESOURCE(name)) return "#" + std::to_string(reinterpret_cast<ULONG_PTR>(name));
    std::string key = name;
    for (char& ch : key) ch = static_cast<char>(std::toupper(static_cast<unsigned char>(ch)));
    return key;
}

// Decodes one icon image: the colour bitmap (of half the header's height) and the mask after it.
std::optional<gdi::Icon> decodeIcon(std::span<const BYTE> image) {
    std::string error;
    BITMAPINFOHEADER header;
    if (!gdi::readDibHeader(image, header, error) || header.biHeight <= 0 || header.biHeight % 2) return std::nullopt;
    int height = header.biHeight / 2;
    std::size_t colorBytes = gdi::dibColorCount(header) * sizeof(RGBQUAD);
    if (header.biSize + colorBytes > image.size()) return std::nullopt;
    std::vector<RGBQUAD> colors(gdi::dibColorCount(header));
    if (colorBytes) std::memcpy(colors.data(), image.data() + header.biSize, colorBytes);
    std::span<const BYTE> bits = image.subspan(header.biSize + colorBytes);
    auto pixels = gdi::decodeDibPixels(header, height, colors, bits, error);
    std::size_t colorSize = gdi::dibStride(header.biWidth, header.biBitCount) * height;
    std::size_t maskStride = gdi::dibStride(header.biWidth, 1);
    if (!pixels || bits.size() < colorSize + maskStride * height) return std::nullopt;
    gdi::Icon icon;
    icon.pixels = *pixels;
    icon.transparent.resize(static_cast<std::size_t>(header.biWidth) * height);
    for (int row = 0; row < height; ++row) {
        const BYTE* mask = bits.data() + colorSize + maskStride * row;
        for (int x = 0; x < header.biWidth; ++x)
            icon.transparent[static_cast<std::size_t>(height - 1 - row) * header.biWidth + x] = (mask[x / 8] >> (7 - x % 8)) & 1;
    }
    return icon;
}

// The image of an icon group that suits a 32 by 32 icon best: that size with the most colours.
HICON loadGroupIcon(LPCSTR name) {
    std::span<const BYTE> group = resourceData(name, RT_GROUP_ICON);
    if (group.size() < 6) return nullptr;
    WORD count = static_cast<WORD>(group[4] | (group[5] << 8));
    if (group.size() < 6 + 14u * count || count == 0) return nullptr;
    int best = -1, bestScore = -1;
    for (int i = 0; i < count; ++i) {
        const BYTE* entry = group.data() + 6 + 14 * i;
        int width = entry[0] ? entry[0] : 256, height = entry[1] ? entry[1] : 256;
        int depth = entry[6] | (entry[7] << 8);
        int score = (width == 32 && height == 32 ? 1000 : 0) + depth - std::abs(width - 32);
        if (score > bestScore) {
            bestScore = score;
            best = i;
        }
    }
    const BYTE* entry = group.data() + 6 + 14 * best;
    WORD id = static_cast<WORD>(entry[12] | (entry[13] << 8));
    auto icon = decodeIcon(resourceData(MAKEINTRESOURCEA(id), RT_ICON));
    if (!icon) return nullptr;
    return gdi::addIcon(std::move(*icon), true);
}

// Loaded icons and cursors are shared: loading one again gives the same handle.
template <typename Load>
HICON shared(const std::string& key, Load load) {
    static std::mutex mutex;
    static std::map<std::string, HICON> loaded;
    std::lock_guard lock(mutex);
    if (auto found = loaded.find(key); found != loaded.end()) return found->second;
    HICON icon = load();
    if (icon) loaded.emplace(key, icon);
    return icon;
}

}  // namespace

HICON WINAPI LoadIconA(HINSTANCE instance, LPCSTR name) {
    if (!name) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    HICON icon = instance ? shared("icon:" + keyOf(name), [&] { return loadGroupIcon(name); })
                          : shared("stock icon:" + keyOf(name), [&]() -> HICON {
                                auto drawn = rc::stockIcon(name);
                                return drawn ? gdi::addIcon(std::move(*drawn), true) : nullptr;
                            });
    if (!icon) SetLastError(ERROR_RESOURCE_NAME_NOT_FOUND);
    return icon;
}

HCURSOR WINAPI LoadCursorA(HINSTANCE instance, LPCSTR name) {
    // Programs of the kit carry no cursors of their own: only the system's are offered.
    HCURSOR cursor = nullptr;
    if (!instance && name)
        cursor = shared("stock cursor:" + keyOf(name), [&]() -> HICON {
            auto drawn = rc::stockCursor(name);
            return drawn ? gdi::addIcon(std::move(*drawn), true) : nullptr;
        });
    if (!cursor) SetLastError(ERROR_RESOURCE_NAME_NOT_FOUND);
    return cursor;
}

HBITMAP WINAPI LoadBitmapA(HINSTANCE instance, LPCSTR name) {
    // The system's own bitmaps (no instance) are not offered.
    std::span<const BYTE> dib = instance && name ? resourceData(name, RT_BITMAP) : std::span<const BYTE>{};
    std::string error;
    auto pixels = dib.empty() ? std::nullopt : gdi::decodePackedDib(dib, error);
    if (!pixels) {
        SetLastError(ERROR_RESOURCE_NAME_NOT_FOUND);
        return nullptr;
    }
    return gdi::addBitmap(*pixels);
}
