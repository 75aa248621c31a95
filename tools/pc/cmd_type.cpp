// pc type DIR WINDOW ID TEXT: replaces the text of edit control ID as if typed.
#include "automation/automation.h"
#include "automation_args.h"
#include "commands.h"

int cmdType(const Args& args) {
    AutomationArgs a = parseAutomationArgs(args, "pc type DIR WINDOW ID TEXT [--timeout S]", 3, 3);
    int id = controlId(a.positional[1]);
    platform::automation::type(platform::automation::findWindow(a.positional[0], a.timeoutMilliseconds), id,
                               a.positional[2]);
    return 0;
}
