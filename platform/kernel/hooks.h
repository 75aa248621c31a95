// Points where higher layers of the platform take part in kernel calls without the kernel
// depending on them. Each is empty until its layer installs it. They are reached through
// functions so that a layer may install its hook while the program's statics are being made.
#pragma once

#include <filesystem>
#include <functional>
#include <string>

namespace platform::hooks {

// Installed by the program layer: true while HOST is the image file of a running program of
// this PC (such a file cannot be deleted or replaced).
std::function<bool(const std::filesystem::path& host)>& isRunningImage();

// Installed by the window layer: shows the platform's "cannot find file" box for OpenFile with
// OF_PROMPT; returns true when the user chose Retry.
std::function<bool(const std::string& windowsPath)>& promptMissingFile();

}  // namespace platform::hooks
