#include "kernel/pc.h"

#include "kernel/paths.h"

#include <cctype>
#include <cstdlib>
#include <fstream>
#include <memory>
#include <mutex>
#include <sstream>
#include <stdexcept>

namespace fs = std::filesystem;

namespace platform {
namespace {

std::mutex currentLock;
std::unique_ptr<Pc> currentPc;

std::string trim(const std::string& s) {
    std::size_t b = s.find_first_not_of(" \t\r");
    if (b == std::string::npos) return {};
    std::size_t e = s.find_last_not_of(" \t\r");
    return s.substr(b, e - b + 1);
}

int parseNumber(const std::string& text, const fs::path& file, const std::string& key) {
    try {
        std::size_t used = 0;
        int v = std::stoi(text, &used);
        if (used == text.size()) return v;
    } catch (const std::exception&) {
    }
    throw std::runtime_error(file.string() + ": " + key + "=" + text + " is not a number");
}

}  // namespace

Pc::Pc(fs::path root) : root_(std::move(root)) { reloadSettings(); }

fs::path Pc::driveFolder(char letter) const {
    return root_ / std::string(1, static_cast<char>(std::tolower(static_cast<unsigned char>(letter))));
}

bool Pc::hasDrive(char letter) const {
    if (!std::isalpha(static_cast<unsigned char>(letter))) return false;
    std::error_code ec;
    return fs::is_directory(fs::symlink_status(driveFolder(letter), ec));
}

void Pc::reloadSettings() { settings_ = readPcSettings(root_ / kSettingsFile); }

bool Pc::isPcFolder(const fs::path& dir) {
    std::error_code ec;
    return fs::is_regular_file(dir / kSettingsFile, ec) && fs::is_directory(dir / "c", ec);
}

std::optional<fs::path> Pc::findEnclosing(const fs::path& path) {
    std::error_code ec;
    fs::path p = fs::weakly_canonical(path, ec);
    if (ec) p = path;
    for (fs::path dir = p.parent_path(); !dir.empty(); dir = dir.parent_path()) {
        if (isPcFolder(dir)) return dir;
        if (dir == dir.parent_path()) break;
    }
    return std::nullopt;
}

Pc& Pc::current() {
    std::lock_guard guard(currentLock);
    if (!currentPc) {
        std::optional<fs::path> root;
        if (const char* env = std::getenv("PC_ROOT"); env && *env) {
            if (!isPcFolder(env))
                throw std::runtime_error(std::string("PC_ROOT=") + env + " is not a PC folder (no pc.ini or c/)");
            root = env;
        } else {
            std::error_code ec;
            root = findEnclosing(fs::read_symlink("/proc/self/exe", ec));
        }
        if (!root) throw std::runtime_error("this program runs in no PC: set PC_ROOT or start it from inside a PC folder");
        currentPc = std::make_unique<Pc>(fs::absolute(*root));
    }
    return *currentPc;
}

bool Pc::hasCurrent() {
    try {
        current();
        return true;
    } catch (const std::exception&) {
        return false;
    }
}

void Pc::attach(const fs::path& root) {
    if (!isPcFolder(root)) throw std::runtime_error(root.string() + " is not a PC folder (no pc.ini or c/)");
    {
        std::lock_guard guard(currentLock);
        currentPc = std::make_unique<Pc>(fs::absolute(root));
    }
    paths::resetCurrentDirectories();
}

void Pc::detach() {
    {
        std::lock_guard guard(currentLock);
        currentPc.reset();
    }
    paths::resetCurrentDirectories();
}

PcSettings readPcSettings(const fs::path& file) {
    PcSettings s;
    std::ifstream in(file);
    if (!in) return s;
    std::string line;
    while (std::getline(in, line)) {
        line = trim(line);
        if (line.empty() || line[0] == ';' || line[0] == '[') continue;
        std::size_t eq = line.find('=');
        if (eq == std::string::npos) continue;
        std::string key = trim(line.substr(0, eq));
        std::string value = trim(line.substr(eq + 1));
        if (key == "screen") {
            std::size_t x = value.find('x');
            if (x == std::string::npos) throw std::runtime_error(file.string() + ": screen=" + value + " is not WIDTHxHEIGHT");
            s.screenWidth = parseNumber(value.substr(0, x), file, "screen");
            s.screenHeight = parseNumber(value.substr(x + 1), file, "screen");
        } else if (key == "codepage") {
            s.codePage = parseNumber(value, file, key);
        } else if (key == "oemcodepage") {
            s.oemCodePage = parseNumber(value, file, key);
        } else if (key == "receiver") {
            s.receiverSource = value;
        }
    }
    return s;
}

void writePcSettings(const fs::path& file, const PcSettings& s) {
    std::ostringstream out;
    out << "; The settings of this virtual PC.\n[pc]\n"
        << "screen=" << s.screenWidth << 'x' << s.screenHeight << '\n'
        << "codepage=" << s.codePage << '\n'
        << "oemcodepage=" << s.oemCodePage << '\n'
        << "receiver=" << s.receiverSource << '\n';
    fs::path temp = file;
    temp += ".new";
    {
        std::ofstream f(temp, std::ios::binary | std::ios::trunc);
        f << out.str();
        if (!f.flush()) throw std::runtime_error("cannot write " + temp.string());
    }
    fs::rename(temp, file);
}

}  // namespace platform
