// pc shot DIR FILE.png: the PC's screen as it is now, written as a PNG picture.
#include "automation/automation.h"
#include "automation_args.h"
#include "commands.h"
#include "gdi/png.h"

int cmdShot(const Args& args) {
    AutomationArgs a = parseAutomationArgs(args, "pc shot DIR FILE.png", 1, 1);
    platform::gdi::writePng(platform::automation::screenShot(), a.positional[0]);
    return 0;
}
