// The PC a program runs in: one host folder is one computer (drives, registry, settings).
#pragma once

#include <filesystem>
#include <optional>
#include <string>

namespace platform {

struct PcSettings {
    int screenWidth = 640;
    int screenHeight = 480;
    int codePage = 949;     // ANSI code page of the PC
    int oemCodePage = 949;  // OEM code page (the same as ANSI for Korean)
    std::string receiverSource;  // where the receiver card's port input comes from; empty: none
};

class Pc {
public:
    // Host folder names inside a PC folder.
    static constexpr const char* kSettingsFile = "pc.ini";
    static constexpr const char* kRegistryFile = "registry.reg";
    static constexpr const char* kEventLog = "events.log";
    static constexpr const char* kRunFolder = "run";

    explicit Pc(std::filesystem::path root);

    const std::filesystem::path& root() const { return root_; }
    // Host folder of a drive ("c", "a"); the letter is taken without regard to case.
    std::filesystem::path driveFolder(char letter) const;
    bool hasDrive(char letter) const;
    const PcSettings& settings() const { return settings_; }
    std::filesystem::path registryFile() const { return root_ / kRegistryFile; }
    std::filesystem::path eventLog() const { return root_ / kEventLog; }
    std::filesystem::path runFolder() const { return root_ / kRunFolder; }

    // Re-reads pc.ini (after `pc` changed it).
    void reloadSettings();

    // The PC of this process: set by attach(), else found from PC_ROOT, else from the
    // program's own image path (which lies inside a PC folder). Throws when there is none.
    static Pc& current();
    static bool hasCurrent();
    // Makes ROOT this process's PC (tests, tools). Resets per-PC state such as current directories.
    static void attach(const std::filesystem::path& root);
    static void detach();

    // True when DIR looks like a PC folder (has pc.ini and a c/ drive).
    static bool isPcFolder(const std::filesystem::path& dir);
    // The PC folder that contains PATH, if any.
    static std::optional<std::filesystem::path> findEnclosing(const std::filesystem::path& path);

private:
    std::filesystem::path root_;
    PcSettings settings_;
};

// Reads and writes pc.ini.
PcSettings readPcSettings(const std::filesystem::path& file);
void writePcSettings(const std::filesystem::path& file, const PcSettings& settings);

}  // namespace platform
