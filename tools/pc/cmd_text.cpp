// pc text DIR WINDOW [ID]: the text of control ID; without ID the window's title and then every
// control's identifier, class and text.
#include "automation/automation.h"
#include "automation_args.h"
#include "commands.h"
#include "kernel/pc.h"
#include "kernel/text.h"

#include <cstdio>

int cmdText(const Args& args) {
    AutomationArgs a = parseAutomationArgs(args, "pc text DIR WINDOW [ID] [--timeout S]", 1, 2);
    namespace automation = platform::automation;
    automation::Window window = automation::findWindow(a.positional[0], a.timeoutMilliseconds);
    if (a.positional.size() == 2) {
        std::printf("%s\n", automation::text(window, controlId(a.positional[1])).c_str());
        return 0;
    }
    std::printf("%s\n", automation::title(window).c_str());
    for (const automation::Control& c : window.controls)
        std::printf("%6d %-8s \"%s\"\n", c.id, c.record.className.c_str(), automation::text(c).c_str());
    return 0;
}
