#include "automation/automation.h"

#include "desktop/connection.h"
#include "dialog/dialog_record.h"
#include "kernel/pc.h"
#include "kernel/text.h"
#include "paint/screen.h"
#include "time/clock.h"
#include "win/dialog.h"
#include "win/user.h"

#include <strings.h>

#include <algorithm>
#include <map>

namespace platform::automation {
namespace {

using desktop::Kind;
using desktop::WindowRecord;
using desktop::Writer;

constexpr clock::Tick kPollInterval = 20;

HWND hwndOf(std::uint64_t handle) { return reinterpret_cast<HWND>(static_cast<std::uintptr_t>(handle)); }
int codePage() { return Pc::current().settings().codePage; }

desktop::Connection* desktopOrNull() {
    try {
        return desktop::Connection::existing();
    } catch (const std::exception&) {
        return nullptr;
    }
}

std::vector<WindowRecord> topLevelRecords() {
    std::vector<WindowRecord> list;
    desktop::Connection* c = desktopOrNull();
    if (!c) return list;
    desktop::Reader r = c->call(Kind::listWindows);
    for (std::uint32_t n = r.u32(); n > 0; --n) list.push_back(WindowRecord::read(r));
    return list;
}

std::optional<WindowRecord> recordOf(std::uint64_t handle) {
    desktop::Connection* c = desktopOrNull();
    if (!c) return std::nullopt;
    desktop::Reader r = c->call(Kind::queryWindow, Writer().u64(handle));
    if (!r.u8()) return std::nullopt;
    return WindowRecord::read(r);
}

Window describe(const WindowRecord& record) {
    Window w{record, {}, {}};
    std::string error;
    std::optional<dialog::DialogRecord> d = dialog::readDialogRecord(Pc::current().runFolder(), record.handle, error);
    if (!error.empty()) throw AutomationError(error);
    if (!d) return w;
    w.templateName = d->templateName;
    for (const auto& item : d->items)
        if (std::optional<WindowRecord> control = recordOf(item.handle)) w.controls.push_back({item.id, *control});
    return w;
}

bool sameName(const std::string& a, const std::string& b) {
    return !a.empty() && a.size() == b.size() && ::strcasecmp(a.c_str(), b.c_str()) == 0;
}

const Control& controlOf(const Window& window, int id) {
    for (const Control& c : window.controls)
        if (c.id == id) return c;
    throw AutomationError("window \"" + title(window) + "\" has no control " + std::to_string(id));
}

void post(std::uint64_t handle, UINT message, WPARAM wParam, LPARAM lParam) {
    if (!PostMessageA(hwndOf(handle), message, wParam, lParam))
        throw AutomationError("window " + std::to_string(handle) + " is gone");
}

struct Key {
    WPARAM code;
    bool shift;
};

std::optional<Key> namedKey(const std::string& name) {
    static const std::map<std::string, WPARAM> names = {
        {"enter", VK_RETURN}, {"return", VK_RETURN}, {"escape", VK_ESCAPE}, {"esc", VK_ESCAPE},
        {"tab", VK_TAB},      {"space", VK_SPACE},   {"backspace", VK_BACK}, {"delete", VK_DELETE},
        {"home", VK_HOME},    {"end", VK_END},       {"left", VK_LEFT},      {"right", VK_RIGHT},
        {"up", VK_UP},        {"down", VK_DOWN}};
    std::string lower = name;
    std::transform(lower.begin(), lower.end(), lower.begin(), [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    bool shift = lower.rfind("shift+", 0) == 0;
    auto it = names.find(shift ? lower.substr(6) : lower);
    if (it == names.end()) return std::nullopt;
    return Key{it->second, shift};
}

}  // namespace

std::vector<Window> windows() {
    std::vector<Window> list;
    for (const WindowRecord& r : topLevelRecords()) list.push_back(describe(r));
    return list;
}

Window findWindow(const std::string& name, std::uint64_t timeoutMilliseconds) {
    clock::Tick deadline = clock::now() + timeoutMilliseconds;
    for (;;) {
        std::optional<Window> hidden;
        for (Window& w : windows()) {
            std::string titleText = ::platform::text::toUtf8(w.record.title, codePage());
            if (!sameName(titleText, name) && !sameName(w.record.className, name) && !sameName(w.templateName, name)) continue;
            if (w.record.visible) return w;
            if (!hidden) hidden = w;
        }
        if (hidden) return *hidden;
        if (clock::now() >= deadline)
            throw AutomationError("no window \"" + name + "\" appeared within " + std::to_string(timeoutMilliseconds / 1000.0).substr(0, 4) + " s");
        clock::sleep(std::min<clock::Tick>(kPollInterval, deadline - clock::now()));
    }
}

void click(const Window& window, int id) { post(controlOf(window, id).record.handle, BM_CLICK, 0, 0); }

void type(const Window& window, int id, const std::string& utf8) {
    const Control& c = controlOf(window, id);
    if (!sameName(c.record.className, "Edit"))
        throw AutomationError("control " + std::to_string(id) + " of \"" + title(window) + "\" is a " + c.record.className + ", not an edit");
    post(c.record.handle, EM_SETSEL, 0, -1);
    std::string bytes = ::platform::text::fromUtf8(utf8, codePage());
    if (bytes.empty()) post(c.record.handle, WM_KEYDOWN, VK_DELETE, 0);
    for (unsigned char ch : bytes) post(c.record.handle, WM_CHAR, ch, 0);
}

std::string text(const Window& window, int id) { return text(controlOf(window, id)); }

std::string text(const Control& control) {
    std::optional<WindowRecord> now = recordOf(control.record.handle);
    if (!now) throw AutomationError("control " + std::to_string(control.id) + " is gone");
    return ::platform::text::toUtf8(now->title, codePage());
}

std::string title(const Window& window) {
    std::optional<WindowRecord> now = recordOf(window.record.handle);
    return ::platform::text::toUtf8(now ? now->title : window.record.title, codePage());
}

void keys(const std::vector<std::string>& keyList) {
    std::vector<WindowRecord> all = topLevelRecords();
    auto takesKeys = [](const WindowRecord& r) { return r.visible && !(r.style & WS_DISABLED); };
    std::optional<WindowRecord> target;
    for (const WindowRecord& r : all)
        if (takesKeys(r)) {
            target = r;
            break;
        }
    if (!target) throw AutomationError("no window has the keyboard");
    // Owned windows stand above their owner: a shown one of them has the keyboard instead.
    bool moved = true;
    for (std::size_t steps = 0; moved && steps < all.size(); ++steps) {
        moved = false;
        for (const WindowRecord& r : all)
            if (takesKeys(r) && r.owner == target->handle && r.handle != target->handle) {
                target = r;
                moved = true;
                break;
            }
    }
    // A key may end its window (Escape, Enter): what follows it then has nowhere to go.
    bool delivered = false;
    auto deliver = [&](UINT message, WPARAM wParam) {
        if (PostMessageA(hwndOf(target->handle), message, wParam, 0)) delivered = true;
        else if (!delivered) throw AutomationError("window " + std::to_string(target->handle) + " is gone");
    };
    for (const std::string& k : keyList) {
        if (std::optional<Key> key = namedKey(k)) {
            if (key->shift) deliver(WM_KEYDOWN, VK_SHIFT);
            deliver(WM_KEYDOWN, key->code);
            deliver(WM_KEYUP, key->code);
            if (key->shift) deliver(WM_KEYUP, VK_SHIFT);
            continue;
        }
        for (unsigned char ch : ::platform::text::fromUtf8(k, codePage())) deliver(WM_CHAR, ch);
    }
}

void close(const Window& window) { post(window.record.handle, WM_SYSCOMMAND, SC_CLOSE, 0); }

gdi::Framebuffer screenShot() {
    const PcSettings& s = Pc::current().settings();
    return paint::composeScreen(topLevelRecords(), Pc::current().runFolder(), s.screenWidth, s.screenHeight);
}

}  // namespace platform::automation
