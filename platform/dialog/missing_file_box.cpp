// The box OpenFile shows for a file it cannot find when the caller asked for a prompt: the user
// can put the disk in and try again, or give up.
#include "dialog/dialog_state.h"
#include "kernel/hooks.h"
#include "win/dialog.h"
#include "win/user.h"

#include <string>

namespace platform::dialog {

void installMissingFileBox() {
    hooks::promptMissingFile() = [](const std::string& windowsPath) {
        const std::string text = "Cannot find the file " + windowsPath +
                                 ".\r\nInsert the disk that holds it, then choose Retry.";
        return MessageBoxA(GetActiveWindow(), text.c_str(), "File Not Found", MB_RETRYCANCEL | MB_ICONEXCLAMATION) ==
               IDRETRY;
    };
}

}  // namespace platform::dialog
