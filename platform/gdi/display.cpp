#include "gdi/display.h"

#include "kernel/pc.h"

namespace platform::gdi {

Display currentDisplay() {
    PcSettings settings = Pc::hasCurrent() ? Pc::current().settings() : PcSettings{};
    return Display{settings.screenWidth, settings.screenHeight, settings.codePage};
}

}  // namespace platform::gdi
