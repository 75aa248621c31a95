#include "kernel/pc_create.h"


#include <fstream>
#include <stdexcept>
#include <string>

namespace fs = std::filesystem;

namespace platform {
namespace {

// Text files of a fresh Windows 95 installation use CR LF.
std::string crlf(const std::string& lines) {
    std::string out;
    for (char c : lines) {
        if (c == '\n') out += '\r';
        out += c;
    }
    return out;
}

void writeFile(const fs::path& file, const std::string& content) {
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out << content;
    if (!out.flush()) throw std::runtime_error("cannot write " + file.string());
}

std::string winIni(bool korean) {
    return std::string("[windows]\n"
                       "load=\n"
                       "run=\n"
                       "NullPort=None\n"
                       "device=\n"
                       "\n"
                       "[Desktop]\n"
                       "Wallpaper=(None)\n"
                       "TileWallpaper=1\n"
                       "WallpaperStyle=0\n"
                       "Pattern=(None)\n"
                       "\n"
                       "[intl]\n") +
           (korean ? "iCountry=82\nsCountry=Korea\nsLanguage=kor\n"
                   : "iCountry=1\nsCountry=United States\nsLanguage=enu\n") +
           "sList=,\n"
           "iMeasure=1\n"
           "iTime=0\n"
           "sTime=:\n"
           "sShortDate=M/d/yy\n"
           "\n"
           "[Fonts]\n"
           "\n"
           "[Extensions]\n"
           "txt=notepad.exe ^.txt\n"
           "ini=notepad.exe ^.ini\n"
           "\n"
           "[mci extensions]\n"
           "mid=Sequencer\n"
           "wav=waveaudio\n"
           "\n"
           "[Compatibility]\n";
}

const char* kSystemIni =
    "[boot]\n"
    "oemfonts.fon=vgaoem.fon\n"
    "shell=Explorer.exe\n"
    "system.drv=system.drv\n"
    "drivers=mmsystem.dll\n"
    "fonts.fon=vgasys.fon\n"
    "fixedfon.fon=vgafix.fon\n"
    "keyboard.drv=keyboard.drv\n"
    "mouse.drv=mouse.drv\n"
    "display.drv=pnpdrvr.drv\n"
    "comm.drv=comm.drv\n"
    "sound.drv=mmsound.drv\n"
    "\n"
    "[keyboard]\n"
    "keyboard.dll=\n"
    "oemansi.bin=\n"
    "subtype=\n"
    "type=4\n"
    "\n"
    "[boot.description]\n"
    "keyboard.typ=Standard 101/102-Key or Microsoft Natural Keyboard\n"
    "mouse.drv=Standard mouse\n"
    "display.drv=Standard Display Adapter (VGA)\n"
    "system.drv=Standard PC\n"
    "\n"
    "[386Enh]\n"
    "device=*vpd\n"
    "mouse=*vmouse, msmouse.vxd\n"
    "device=*dynapage\n"
    "device=*vcd\n"
    "device=*int13\n"
    "woafont=dosapp.fon\n"
    "keyboard=*vkd\n"
    "display=*vdd,*vflatd\n"
    "\n"
    "[NonWindowsApp]\n"
    "CommandEnvSize=\n"
    "\n"
    "[drivers]\n"
    "wave=mmsndsys.drv\n"
    "midi=mmsndsys.drv\n";

const char* kConfigSys =
    "DEVICE=C:\\WINDOWS\\HIMEM.SYS\n"
    "DOS=HIGH,UMB\n"
    "FILES=40\n";

const char* kAutoexecBat =
    "@ECHO OFF\n"
    "SET PATH=C:\\WINDOWS;C:\\WINDOWS\\COMMAND\n"
    "SET TEMP=C:\\WINDOWS\\TEMP\n";

bool isEmptyFolder(const fs::path& dir) {
    std::error_code ec;
    return fs::is_directory(dir, ec) && fs::is_empty(dir, ec);
}

}  // namespace

bool parseScreen(const std::string& text, int& width, int& height) {
    if (text == "640x480") { width = 640; height = 480; return true; }
    if (text == "800x600") { width = 800; height = 600; return true; }
    if (text == "1024x768") { width = 1024; height = 768; return true; }
    return false;
}

void createPc(const fs::path& dir, const PcOptions& options) {
    if (options.codePage != 949 && options.codePage != 1252)
        throw std::runtime_error("code page " + std::to_string(options.codePage) + " is not supported (949 or 1252)");
    std::error_code ec;
    if (fs::exists(dir, ec) && !isEmptyFolder(dir)) {
        if (!Pc::isPcFolder(dir))
            throw std::runtime_error(dir.string() + " exists and is not a PC folder; choose an empty or new folder");
        if (!options.force)
            throw std::runtime_error(dir.string() + " is a PC already; use --force to replace it");
        fs::remove_all(dir);
    }
    const fs::path c = dir / "c";
    fs::create_directories(c / "WINDOWS" / "SYSTEM");
    fs::create_directories(c / "WINDOWS" / "TEMP");
    fs::create_directories(c / "WINDOWS" / "COMMAND");
    fs::create_directories(dir / "a");
    writeFile(c / "WINDOWS" / "WIN.INI", crlf(winIni(options.korean)));
    writeFile(c / "WINDOWS" / "SYSTEM.INI", crlf(kSystemIni));
    writeFile(c / "CONFIG.SYS", crlf(kConfigSys));
    writeFile(c / "AUTOEXEC.BAT", crlf(kAutoexecBat));
    writeFile(dir / Pc::kRegistryFile, "REGEDIT4\r\n\r\n");
    writeFile(dir / Pc::kEventLog, "");

    PcSettings settings;
    settings.screenWidth = options.screenWidth;
    settings.screenHeight = options.screenHeight;
    settings.codePage = options.codePage;
    settings.oemCodePage = options.codePage == 949 ? 949 : 437;
    writePcSettings(dir / Pc::kSettingsFile, settings);
}

}  // namespace platform
