// Making a fresh PC folder: drives, a Windows directory as a fresh installation has it, an empty
// registry and the settings file.
#pragma once

#include "kernel/pc.h"

#include <filesystem>

namespace platform {

struct PcOptions {
    int screenWidth = 640;
    int screenHeight = 480;
    int codePage = 949;
    bool korean = false;  // WIN.INI [intl] sLanguage=kor
    bool force = false;   // replace an existing PC folder
};

// Creates the PC in DIR. Throws with a message naming DIR when it exists and is not empty (unless
// FORCE and it is a PC folder), or when the options are invalid.
void createPc(const std::filesystem::path& dir, const PcOptions& options);

// Validates a screen size given as WIDTHxHEIGHT (640x480, 800x600 or 1024x768).
bool parseScreen(const std::string& text, int& width, int& height);

}  // namespace platform
