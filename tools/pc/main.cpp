// pc: the virtual PC. One folder is one computer; these commands make, fill and watch it.
#include "commands.h"

namespace {

const tools::Command kCommands[] = {
    {"init", cmdInit, "init DIR [--screen 640x480|800x600|1024x768] [--korean] [--codepage 949|1252] [--force]"},
    {"disk", cmdDisk, "disk DIR FOLDER          put a distribution folder's files onto drive A:"},
    {"reg", cmdReg, "reg DIR [KEY]            print the registry (or one key and below) in REGEDIT4 form"},
    {"groups", cmdGroups, "groups DIR               list the Program Manager groups and their items"},
    {"start", cmdStart, "start DIR GROUP ITEM     start a Program Manager item as a double-click on it does"},
    {"run", cmdRun, "run DIR CMDLINE          start a program of the PC as WinExec does; prints its process id"},
    {"wait", cmdWait, "wait DIR [--timeout S]   wait until no program of the PC runs (exit 1 on time-out)"},
    {"windows", cmdWindows, "windows DIR              list the top-level windows of the PC's desktop"},
    {"log", cmdLog, "log DIR                  print the PC's event log"},
    {"shot", cmdShot, "shot DIR FILE.png        write the PC's screen as a PNG picture"},
    {"click", cmdClick, "click DIR WINDOW ID      press control ID of a window (title, class or dialog template)"},
    {"type", cmdType, "type DIR WINDOW ID TEXT  replace the text of an edit control as if typed"},
    {"text", cmdText, "text DIR WINDOW [ID]     print a control's text, or the window's title and all its controls"},
    {"key", cmdKey, "key DIR KEY...           send keys (Enter, Escape, Tab, Shift+Tab, ... or text) to the focused window"},
    {"close", cmdClose, "close DIR WINDOW         close a window as its system menu does"},
};

}  // namespace

int main(int argc, char** argv) { return tools::runCommand("pc", kCommands, argc, argv); }
