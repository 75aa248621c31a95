#include "actions/command_script.h"

#include "actions/dde_engine.h"
#include "win/codepage.h"
#include "win/user.h"

// Ends the text at the first SEPARATOR (double-byte aware) and returns what follows it, or the
// empty text at the end when there is none.
static LPSTR splitAt(LPSTR text, char separator)
{
    LPSTR c = text;
    while (*c != '\0' && *c != separator)
        c = CharNextA(c);
    if (*c == '\0')
        return c;
    *c = '\0';
    return c + 1;
}

void runScriptLine(HWND window, LPSTR line)
{
    if (line[0] == '\0' || line[0] == ';')
        return;
    LPSTR verb = line;
    LPSTR argument = splitAt(line, ':');

    if (lstrcmpiA(verb, "TITLE") == 0) {
        SetWindowTextA(window, argument);
    } else if (lstrcmpiA(verb, "INITIATE") == 0) {
        LPSTR topic = splitAt(argument, ',');
        ddeInitiate(argument, topic);
    } else if (lstrcmpiA(verb, "TERMINATE") == 0) {
        ddeTerminate(engineState.partner);
    } else if (lstrcmpiA(verb, "EXECUTE") == 0) {
        ddeExecute(engineState.partner, argument);
    } else if (lstrcmpiA(verb, "REQUEST") == 0) {
        ddeRequest(engineState.partner, argument);
    }
}
