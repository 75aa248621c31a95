#include "lz/lz_file.h"

#include "lz/expand.h"
#include "win/kernel.h"

namespace platform::lz {
namespace {

int openFiles = 0;

constexpr UINT kReadChunk = 64 * 1024;

}  // namespace

int LzFile::openCount() { return openFiles; }

LzFile::LzFile(HFILE source, std::vector<std::uint8_t> headerBytes)
    : source_(source), header_(readHeader(headerBytes)), compressed_(std::move(headerBytes)) {
    ++openFiles;
}

LzFile::~LzFile() { --openFiles; }

const std::vector<std::uint8_t>& LzFile::expanded() {
    if (expanded_) return *expanded_;
    for (;;) {
        std::size_t had = compressed_.size();
        compressed_.resize(had + kReadChunk);
        UINT got = _lread(source_, compressed_.data() + had, kReadChunk);
        if (got == static_cast<UINT>(HFILE_ERROR)) {
            compressed_.resize(had);
            throw ReadError{};
        }
        compressed_.resize(had + got);
        if (got == 0) break;
    }
    expanded_ = expand(compressed_);
    compressed_ = {};
    return *expanded_;
}

LzFile* findLzFile(INT handle) { return handles::findAs<LzFile>(handles::fromHfile(handle)); }

}  // namespace platform::lz
