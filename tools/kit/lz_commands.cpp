// kit compress IN OUT, kit expand IN OUT.
#include "commands.h"
#include "host_files.h"

#include "lz/compress.h"
#include "lz/expand.h"

#include <filesystem>
#include <stdexcept>

namespace {

namespace fs = std::filesystem;
namespace lz = platform::lz;

}  // namespace

int cmdCompress(const Args& args) {
    if (args.size() != 2) throw UsageError{};
    const fs::path in = args[0], out = args[1];
    std::vector<std::uint8_t> data = kit::readHostFile(in);
    std::vector<std::uint8_t> packed;
    try {
        packed = lz::compress(data, lz::missingCharacter(in.filename().string()));
    } catch (const std::length_error& e) {
        throw std::runtime_error("'" + in.string() + "': " + e.what());
    }
    kit::writeHostFileAtomically(out, packed);
    return 0;
}

int cmdExpand(const Args& args) {
    if (args.size() != 2) throw UsageError{};
    const fs::path in = args[0], out = args[1];
    std::vector<std::uint8_t> packed = kit::readHostFile(in);
    std::vector<std::uint8_t> data;
    try {
        data = lz::expand(packed);
    } catch (const lz::FormatError& e) {
        throw std::runtime_error("cannot expand '" + in.string() + "': " + e.what());
    }
    kit::writeHostFileAtomically(out, data);
    return 0;
}
