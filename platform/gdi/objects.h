// The drawing objects behind the platform's handles, and the table that hands them out.
// A handle is a number that is never reused, so a stale handle is refused instead of
// reaching another object.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "gdi/fonts.h"
#include "gdi/framebuffer.h"
#include "win/gdi.h"

namespace platform::gdi {

struct Pen {
    int style = PS_SOLID;
    int width = 1;
    COLORREF color = 0;
};

struct Brush {
    bool hollow = false;
    COLORREF color = 0;
};

struct Font {
    FontRequest request;
    std::string faceBytes;  // the face name as the program gave it
    std::shared_ptr<const SizedFont> sized;
};

struct Bitmap {
    FramebufferPtr pixels;
    int bitsPerPixel = 32;
    bool selected = false;  // a bitmap can be selected into one memory DC at a time
};

// An icon or cursor: colour pixels and the mask of the pixels that let the background through.
struct Icon {
    FramebufferPtr pixels;
    std::vector<bool> transparent;
    POINT hotSpot{0, 0};
    bool cursor = false;
};

class DeviceContext;

enum class Kind { Pen, Brush, Font, Bitmap, Icon, Dc };

struct Object {
    Kind kind;
    bool stock = false;  // stock objects and shared icons ignore deletion
    std::variant<std::shared_ptr<Pen>, std::shared_ptr<Brush>, std::shared_ptr<Font>, std::shared_ptr<Bitmap>,
                 std::shared_ptr<Icon>, std::shared_ptr<DeviceContext>>
        value;
};

// Process-wide table of live objects.
class ObjectTable {
public:
    static ObjectTable& instance();

    void* add(Object object);
    // The object of HANDLE when it is alive and of KIND; null otherwise.
    template <typename T>
    std::shared_ptr<T> find(const void* handle, Kind kind) const {
        std::optional<Object> object = lookup(handle);
        if (!object || object->kind != kind) return nullptr;
        return std::get<std::shared_ptr<T>>(object->value);
    }
    std::optional<Object> lookup(const void* handle) const;
    // Removes a live, non-stock object; false for anything else.
    bool remove(const void* handle);

private:
    struct Impl;
    ObjectTable();
    std::unique_ptr<Impl> impl_;
};

template <typename T>
std::shared_ptr<T> findObject(const void* handle, Kind kind) {
    return ObjectTable::instance().find<T>(handle, kind);
}

// Makes a handle for a new object of its kind.
HPEN addPen(Pen pen, bool stock = false);
HBRUSH addBrush(Brush brush, bool stock = false);
HFONT addFont(std::shared_ptr<Font> font, bool stock = false);
HBITMAP addBitmap(FramebufferPtr pixels, int bitsPerPixel = 32);
// An icon handle; SHARED icons (loaded from resources or the system) survive DestroyIcon.
HICON addIcon(Icon icon, bool shared);
std::shared_ptr<Icon> findIcon(HICON icon);

}  // namespace platform::gdi
