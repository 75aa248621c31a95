#include "lz/testing/reference_expanders.h"

#include <mspack.h>

#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <string>

namespace platform::lz::testing {
namespace {

namespace fs = std::filesystem;

// An mspack_system whose one input file is a span and whose one output file is a vector.
struct MemoryFile {
    Bytes input;
    std::size_t position = 0;
    std::vector<std::uint8_t>* output = nullptr;
};

struct MemorySystem {
    mspack_system system;  // first, so that libmspack's pointer to it is one to the whole
    Bytes input;
    std::vector<std::uint8_t>* output;
};

MemoryFile* asFile(mspack_file* file) { return reinterpret_cast<MemoryFile*>(file); }

mspack_file* openFile(mspack_system* self, const char*, int mode) {
    auto* memory = reinterpret_cast<MemorySystem*>(self);
    auto* file = new MemoryFile;
    if (mode == MSPACK_SYS_OPEN_READ)
        file->input = memory->input;
    else
        file->output = memory->output;
    return reinterpret_cast<mspack_file*>(file);
}

void closeFile(mspack_file* file) { delete asFile(file); }

int readFile(mspack_file* handle, void* buffer, int bytes) {
    MemoryFile* file = asFile(handle);
    std::size_t count = std::min<std::size_t>(static_cast<std::size_t>(bytes), file->input.size() - file->position);
    std::memcpy(buffer, file->input.data() + file->position, count);
    file->position += count;
    return static_cast<int>(count);
}

int writeFile(mspack_file* handle, void* buffer, int bytes) {
    auto* from = static_cast<const std::uint8_t*>(buffer);
    asFile(handle)->output->insert(asFile(handle)->output->end(), from, from + bytes);
    return bytes;
}

int seekFile(mspack_file* handle, off_t offset, int mode) {
    MemoryFile* file = asFile(handle);
    off_t base = mode == MSPACK_SYS_SEEK_START ? 0
                 : mode == MSPACK_SYS_SEEK_CUR ? static_cast<off_t>(file->position)
                                               : static_cast<off_t>(file->input.size());
    off_t target = base + offset;
    if (target < 0 || target > static_cast<off_t>(file->input.size())) return -1;
    file->position = static_cast<std::size_t>(target);
    return 0;
}

off_t tellFile(mspack_file* handle) { return static_cast<off_t>(asFile(handle)->position); }
void message(mspack_file*, const char*, ...) {}
void* allocate(mspack_system*, std::size_t bytes) { return std::malloc(bytes); }
void release(void* block) { std::free(block); }
void copy(void* from, void* to, std::size_t bytes) { std::memmove(to, from, bytes); }

class ScratchFolder {
public:
    ScratchFolder() {
        std::string pattern = (fs::temp_directory_path() / "lz-reference-XXXXXX").string();
        if (!mkdtemp(pattern.data())) throw std::runtime_error("cannot make a scratch folder");
        path_ = pattern;
    }
    ~ScratchFolder() {
        std::error_code ignored;
        fs::remove_all(path_, ignored);
    }
    const fs::path& path() const { return path_; }

private:
    fs::path path_;
};

void writeBytes(const fs::path& path, Bytes data) {
    std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(data.data()),
                                                static_cast<std::streamsize>(data.size()));
}

std::vector<std::uint8_t> readBytes(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

const char* const kMsexpand = "/usr/bin/msexpand";
const char* const kMscompress = "/usr/bin/mscompress";

}  // namespace

std::vector<std::uint8_t> expandWithLibmspack(Bytes file) {
    std::vector<std::uint8_t> output;
    MemorySystem memory{{openFile, closeFile, readFile, writeFile, seekFile, tellFile, message, allocate, release,
                         copy, nullptr},
                        file,
                        &output};
    msszdd_decompressor* decompressor = mspack_create_szdd_decompressor(&memory.system);
    if (!decompressor) throw std::runtime_error("libmspack: cannot create the SZDD decompressor");
    int error = MSPACK_ERR_OK;
    if (msszddd_header* header = decompressor->open(decompressor, "in")) {
        error = decompressor->extract(decompressor, header, "out");
        decompressor->close(decompressor, header);
    } else {
        error = decompressor->last_error(decompressor);
    }
    mspack_destroy_szdd_decompressor(decompressor);
    if (error != MSPACK_ERR_OK) throw std::runtime_error("libmspack: error " + std::to_string(error));
    return output;
}

bool haveMsexpand() { return access(kMsexpand, X_OK) == 0; }

std::vector<std::uint8_t> expandWithMsexpand(Bytes file) {
    ScratchFolder scratch;
    writeBytes(scratch.path() / "in", file);
    std::string command = std::string(kMsexpand) + " < '" + (scratch.path() / "in").string() + "' > '" +
                          (scratch.path() / "out").string() + "'";
    if (std::system(command.c_str()) != 0) throw std::runtime_error("msexpand failed");
    return readBytes(scratch.path() / "out");
}

std::optional<std::vector<std::uint8_t>> compressWithMscompress(Bytes data) {
    if (access(kMscompress, X_OK) != 0) return std::nullopt;
    ScratchFolder scratch;
    writeBytes(scratch.path() / "data", data);
    std::string command = std::string(kMscompress) + " '" + (scratch.path() / "data").string() + "' > /dev/null";
    if (std::system(command.c_str()) != 0) throw std::runtime_error("mscompress failed");
    return readBytes(scratch.path() / "data_");
}

}  // namespace platform::lz::testing
