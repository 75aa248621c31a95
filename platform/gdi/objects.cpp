#include "gdi/objects.h"

#include <mutex>
#include <unordered_map>

namespace platform::gdi {

struct ObjectTable::Impl {
    mutable std::mutex mutex;
    std::unordered_map<std::uintptr_t, Object> objects;
    std::uintptr_t next = 0x10000;
};

ObjectTable::ObjectTable() : impl_(std::make_unique<Impl>()) {}

ObjectTable& ObjectTable::instance() {
    static ObjectTable table;
    return table;
}

void* ObjectTable::add(Object object) {
    std::lock_guard lock(impl_->mutex);
    std::uintptr_t id = impl_->next;
    impl_->next += 4;
    impl_->objects.emplace(id, std::move(object));
    return reinterpret_cast<void*>(id);
}

std::optional<Object> ObjectTable::lookup(const void* handle) const {
    std::lock_guard lock(impl_->mutex);
    auto found = impl_->objects.find(reinterpret_cast<std::uintptr_t>(handle));
    if (found == impl_->objects.end()) return std::nullopt;
    return found->second;
}

bool ObjectTable::remove(const void* handle) {
    std::lock_guard lock(impl_->mutex);
    auto found = impl_->objects.find(reinterpret_cast<std::uintptr_t>(handle));
    if (found == impl_->objects.end() || found->second.stock) return false;
    impl_->objects.erase(found);
    return true;
}

HPEN addPen(Pen pen, bool stock) {
    return static_cast<HPEN>(ObjectTable::instance().add({Kind::Pen, stock, std::make_shared<Pen>(pen)}));
}

HBRUSH addBrush(Brush brush, bool stock) {
    return static_cast<HBRUSH>(ObjectTable::instance().add({Kind::Brush, stock, std::make_shared<Brush>(brush)}));
}

HFONT addFont(std::shared_ptr<Font> font, bool stock) {
    return static_cast<HFONT>(ObjectTable::instance().add({Kind::Font, stock, std::move(font)}));
}

HBITMAP addBitmap(FramebufferPtr pixels, int bitsPerPixel) {
    auto bitmap = std::make_shared<Bitmap>();
    bitmap->pixels = std::move(pixels);
    bitmap->bitsPerPixel = bitsPerPixel;
    return static_cast<HBITMAP>(ObjectTable::instance().add({Kind::Bitmap, false, bitmap}));
}

HICON addIcon(Icon icon, bool shared) {
    return static_cast<HICON>(ObjectTable::instance().add({Kind::Icon, shared, std::make_shared<Icon>(std::move(icon))}));
}

std::shared_ptr<Icon> findIcon(HICON icon) { return findObject<Icon>(icon, Kind::Icon); }

}  // namespace platform::gdi
