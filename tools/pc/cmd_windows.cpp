// pc windows DIR: the top-level windows of the PC's desktop, topmost first.
#include "commands.h"

#include "desktop/connection.h"
#include "kernel/pc.h"
#include "kernel/text.h"

#include <cstdio>
#include <stdexcept>

int cmdWindows(const Args& args) {
    if (args.size() != 1) throw std::runtime_error("usage: pc windows DIR");
    if (!platform::Pc::isPcFolder(args[0])) throw std::runtime_error(args[0] + " is not a PC folder (make one with pc init)");
    platform::Pc::attach(args[0]);
    platform::desktop::Connection* desktop = platform::desktop::Connection::existing();
    if (!desktop) return 0;  // no program runs: no window
    platform::desktop::Reader list = desktop->call(platform::desktop::Kind::listWindows);
    int codePage = platform::Pc::current().settings().codePage;
    std::printf("%-10s %-20s %-30s %-7s %-21s %s\n", "handle", "class", "title", "shown", "rectangle", "process");
    for (std::uint32_t n = list.u32(); n > 0; --n) {
        platform::desktop::WindowRecord w = platform::desktop::WindowRecord::read(list);
        std::string title = "\"" + platform::text::toUtf8(w.title, codePage) + "\"";
        char rect[64];
        std::snprintf(rect, sizeof rect, "%d,%d-%d,%d", w.left, w.top, w.right, w.bottom);
        std::printf("0x%08llx %-20s %-30s %-7s %-21s %lld\n", static_cast<unsigned long long>(w.handle),
                    platform::text::toUtf8(w.className, codePage).c_str(), title.c_str(), w.visible ? "visible" : "hidden",
                    rect, static_cast<long long>(w.pid));
    }
    return 0;
}
