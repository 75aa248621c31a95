// The running program's own image as a Windows path of the PC (GetModuleFileNameA, the first
// place OpenFile searches). Found from the image's host path inside the PC; a program tested in
// the same process as its test sets it.
#pragma once

#include <optional>
#include <string>

namespace platform::module {

// The image's Windows path, or nullopt when the image lies outside the PC and none was set.
std::optional<std::string> imagePath();
void setImagePath(std::string windowsPath);
// The directory part of imagePath() (without a trailing backslash).
std::optional<std::string> imageDirectory();

}  // namespace platform::module
