#include "kernel/testing/test_pc.h"

#include <fstream>
#include <sstream>
#include <stdexcept>
#include <string>

#include <unistd.h>

namespace fs = std::filesystem;

namespace platform::testing {

void makePc(const fs::path& dir, const PcOptions& options) {
    createPc(dir, options);
    Pc::attach(dir);
}

TestPc::TestPc(const PcOptions& options) {
    std::string pattern = (fs::temp_directory_path() / "kit-pc-XXXXXX").string();
    if (!::mkdtemp(pattern.data())) throw std::runtime_error("cannot make a temporary folder");
    root_ = pattern;
    makePc(root_, options);
}

TestPc::~TestPc() {
    Pc::detach();
    std::error_code ec;
    // Read-only files must not keep the folder from going.
    for (auto it = fs::recursive_directory_iterator(root_, ec); it != fs::recursive_directory_iterator(); ++it)
        fs::permissions(it->path(), fs::perms::owner_write, fs::perm_options::add, ec);
    fs::remove_all(root_, ec);
}

fs::path TestPc::host(const std::string& windowsPath) const {
    fs::path p = root_ / std::string(1, static_cast<char>(std::tolower(static_cast<unsigned char>(windowsPath.at(0)))));
    std::string rest = windowsPath.substr(3);
    std::string part;
    for (char c : rest) {
        if (c == '\\') {
            if (!part.empty()) p /= part;
            part.clear();
        } else {
            part += c;
        }
    }
    if (!part.empty()) p /= part;
    return p;
}

std::string readHostFile(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    if (!in) throw std::runtime_error("cannot read " + file.string());
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

void writeHostFile(const fs::path& file, const std::string& content) {
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out << content;
    if (!out.flush()) throw std::runtime_error("cannot write " + file.string());
}

}  // namespace platform::testing
