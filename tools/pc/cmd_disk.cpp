// pc disk DIR FOLDER: the distribution folder's files become the disk in drive A:.
#include "commands.h"

#include "kernel/pc.h"

#include <cstdio>
#include <filesystem>
#include <stdexcept>

namespace fs = std::filesystem;

int cmdDisk(const Args& args) {
    if (args.size() != 2) throw std::runtime_error("usage: pc disk DIR FOLDER");
    const fs::path pcDir = args[0];
    const fs::path folder = args[1];
    if (!platform::Pc::isPcFolder(pcDir)) throw std::runtime_error(pcDir.string() + " is not a PC folder (make one with pc init)");
    if (!fs::is_directory(folder)) throw std::runtime_error(folder.string() + " is not a folder");

    // Check everything first, so that a refused folder leaves the old disk in place.
    std::size_t files = 0;
    for (const fs::directory_entry& e : fs::recursive_directory_iterator(folder)) {
        if (e.is_symlink()) throw std::runtime_error(e.path().string() + " is a link; a disk holds files and folders only");
        if (e.is_regular_file()) ++files;
        else if (!e.is_directory()) throw std::runtime_error(e.path().string() + " is not a file or folder");
    }
    const fs::path drive = pcDir / "a";
    const fs::path incoming = pcDir / "a.new";
    fs::remove_all(incoming);
    fs::copy(folder, incoming, fs::copy_options::recursive);
    fs::remove_all(drive);
    fs::rename(incoming, drive);
    std::printf("%zu files on drive A: of %s\n", files, pcDir.c_str());
    return 0;
}
