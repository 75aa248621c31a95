// Creating, selecting, querying and deleting drawing objects.
#include <algorithm>
#include <cstring>

#include "gdi/codepage.h"
#include "gdi/device_context.h"
#include "gdi/display.h"
#include "gdi/objects.h"
#include "gdi/stock.h"
#include "win/gdi.h"
#include "win/kernel.h"

namespace {
constexpr int kLargestFont = 1024;
}

using namespace platform::gdi;

HPEN WINAPI CreatePen(int style, int width, COLORREF color) {
    if (style < PS_SOLID || style > PS_INSIDEFRAME) return nullptr;
    return addPen({style, std::max(1, width), color & 0x00FFFFFF});
}

HBRUSH WINAPI CreateSolidBrush(COLORREF color) { return addBrush({false, color & 0x00FFFFFF}); }

HFONT WINAPI CreateFontA(int height, int width, int escapement, int orientation, int weight, DWORD italic,
                         DWORD underline, DWORD strikeOut, DWORD charSet, DWORD outPrecision, DWORD clipPrecision,
                         DWORD quality, DWORD pitchAndFamily, LPCSTR face) {
    // Characters beyond a screen's size would only exhaust memory when drawn.
    if (height < -kLargestFont || height > kLargestFont || width < -kLargestFont || width > kLargestFont) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    auto font = std::make_shared<Font>();
    font->request.height = height;
    font->request.width = std::max(0, width);
    font->request.weight = weight;
    font->request.italic = italic != 0;
    font->request.underline = underline != 0;
    font->request.strikeOut = strikeOut != 0;
    font->request.charSet = static_cast<int>(charSet);
    if (face) {
        font->faceBytes.assign(face, strnlen(face, LF_FACESIZE - 1));
        font->request.face = decodeCodePage(font->faceBytes, currentDisplay().codePage);
    }
    font->sized = SizedFont::get(font->request);
    if (!font->sized) return nullptr;
    return addFont(font);
}

HGDIOBJ WINAPI SelectObject(HDC handle, HGDIOBJ object) {
    auto dc = findDc(handle);
    auto found = ObjectTable::instance().lookup(object);
    if (!dc || !found) return nullptr;
    switch (found->kind) {
    case Kind::Pen: {
        HGDIOBJ previous = dc->penHandle;
        dc->penHandle = static_cast<HPEN>(object);
        dc->pen = std::get<std::shared_ptr<Pen>>(found->value);
        return previous;
    }
    case Kind::Brush: {
        HGDIOBJ previous = dc->brushHandle;
        dc->brushHandle = static_cast<HBRUSH>(object);
        dc->brush = std::get<std::shared_ptr<Brush>>(found->value);
        return previous;
    }
    case Kind::Font: {
        HGDIOBJ previous = dc->fontHandle;
        dc->fontHandle = static_cast<HFONT>(object);
        dc->font = std::get<std::shared_ptr<Font>>(found->value);
        return previous;
    }
    case Kind::Bitmap: {
        // Only a memory DC takes a bitmap, and a bitmap goes into one DC at a time.
        // The stock default bitmap is the exception: every fresh memory DC holds it.
        auto bitmap = std::get<std::shared_ptr<Bitmap>>(found->value);
        if (!dc->isMemory() || (!found->stock && bitmap->selected && bitmap != dc->bitmap)) return nullptr;
        HGDIOBJ previous = dc->bitmapHandle;
        if (dc->bitmap) dc->bitmap->selected = false;
        bitmap->selected = !found->stock;
        dc->bitmapHandle = static_cast<HBITMAP>(object);
        dc->bitmap = bitmap;
        dc->retarget(bitmap->pixels, POINT{0, 0}, boundsOf(*bitmap->pixels));
        return previous;
    }
    case Kind::Icon:
    case Kind::Dc:
        break;
    }
    return nullptr;
}

HGDIOBJ WINAPI GetCurrentObject(HDC handle, UINT type) {
    auto dc = findDc(handle);
    if (!dc) return nullptr;
    switch (type) {
    case OBJ_PEN:
        return dc->penHandle;
    case OBJ_BRUSH:
        return dc->brushHandle;
    case OBJ_FONT:
        return dc->fontHandle;
    case OBJ_BITMAP:
        return dc->bitmapHandle;
    default:
        return nullptr;
    }
}

BOOL WINAPI DeleteObject(HGDIOBJ object) {
    auto found = ObjectTable::instance().lookup(object);
    if (!found || found->kind == Kind::Dc || found->kind == Kind::Icon) return FALSE;
    if (found->stock) return TRUE;
    // A bitmap still selected into a DC cannot go; other objects stay alive in the DCs that
    // hold them until they are replaced there.
    if (found->kind == Kind::Bitmap && std::get<std::shared_ptr<Bitmap>>(found->value)->selected) return FALSE;
    return ObjectTable::instance().remove(object) ? TRUE : FALSE;
}

DWORD WINAPI GetObjectType(HGDIOBJ object) {
    auto found = ObjectTable::instance().lookup(object);
    if (!found) return 0;
    switch (found->kind) {
    case Kind::Pen:
        return OBJ_PEN;
    case Kind::Brush:
        return OBJ_BRUSH;
    case Kind::Font:
        return OBJ_FONT;
    case Kind::Bitmap:
        return OBJ_BITMAP;
    case Kind::Dc:
        return std::get<std::shared_ptr<DeviceContext>>(found->value)->isMemory() ? OBJ_MEMDC : OBJ_DC;
    case Kind::Icon:
        break;
    }
    return 0;
}

int WINAPI GetObjectA(HGDIOBJ object, int size, LPVOID buffer) {
    auto bitmap = findObject<Bitmap>(object, Kind::Bitmap);
    if (!bitmap) return 0;
    if (!buffer) return sizeof(BITMAP);
    if (size < static_cast<int>(sizeof(BITMAP))) return 0;
    BITMAP info{};
    info.bmWidth = bitmap->pixels->width();
    info.bmHeight = bitmap->pixels->height();
    info.bmPlanes = 1;
    info.bmBitsPixel = static_cast<WORD>(bitmap->bitsPerPixel);
    info.bmWidthBytes = ((info.bmWidth * info.bmBitsPixel + 15) / 16) * 2;
    std::memcpy(buffer, &info, sizeof info);
    return sizeof(BITMAP);
}

BOOL WINAPI DestroyIcon(HICON icon) {
    auto found = ObjectTable::instance().lookup(icon);
    if (!found || found->kind != Kind::Icon) return FALSE;
    if (found->stock) return TRUE;
    return ObjectTable::instance().remove(icon) ? TRUE : FALSE;
}
