// pc close DIR WINDOW: closes the window as its system menu's Close does.
#include "automation/automation.h"
#include "automation_args.h"
#include "commands.h"

int cmdClose(const Args& args) {
    AutomationArgs a = parseAutomationArgs(args, "pc close DIR WINDOW [--timeout S]", 1, 1);
    platform::automation::close(platform::automation::findWindow(a.positional[0], a.timeoutMilliseconds));
    return 0;
}
