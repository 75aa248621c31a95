#include "paint/screen.h"

#include "paint/picture_file.h"
#include "win/gdi.h"

namespace platform::paint {

gdi::Framebuffer composeScreen(const std::vector<desktop::WindowRecord>& windows,
                               const std::filesystem::path& runFolder, int width, int height) {
    gdi::Framebuffer screen(width, height, GetSysColor(COLOR_DESKTOP));
    for (auto it = windows.rbegin(); it != windows.rend(); ++it) {
        if (!it->visible || it->parent != 0) continue;
        std::string error;
        std::optional<gdi::Framebuffer> picture = readPicture(pictureFile(runFolder, it->handle), error);
        if (!picture) continue;
        gdi::copyPixels(screen, POINT{it->left, it->top}, *picture, gdi::boundsOf(*picture));
    }
    return screen;
}

}  // namespace platform::paint
