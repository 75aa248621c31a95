// pc click DIR WINDOW ID: presses control ID of the window (its title, class or dialog template).
#include "automation/automation.h"
#include "automation_args.h"
#include "commands.h"

int cmdClick(const Args& args) {
    AutomationArgs a = parseAutomationArgs(args, "pc click DIR WINDOW ID [--timeout S]", 2, 2);
    int id = controlId(a.positional[1]);
    platform::automation::click(platform::automation::findWindow(a.positional[0], a.timeoutMilliseconds), id);
    return 0;
}
