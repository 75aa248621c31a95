// A compressed file open for expansion: the object behind a handle of LZInit and LZOpenFileA.
// It lives in the kernel's handle table, so its handle never equals a file's, and the kernel's
// file calls refuse it as they refuse any handle that is not a file.
#pragma once

#include "kernel/handles.h"
#include "lz/format.h"

#include <cstdint>
#include <optional>
#include <vector>

namespace platform::lz {

class LzFile : public handles::KernelObject {
public:
    // At most this many compressed files are open at once, as on the platform.
    static constexpr int kMaxOpen = 16;
    static int openCount();

    // SOURCE is positioned just after HEADER_BYTES, the file's valid header.
    LzFile(HFILE source, std::vector<std::uint8_t> headerBytes);
    ~LzFile() override;
    LzFile(const LzFile&) = delete;
    LzFile& operator=(const LzFile&) = delete;

    HFILE source() const { return source_; }
    std::uint32_t length() const { return header_.length; }
    std::size_t position() const { return position_; }
    void setPosition(std::size_t position) { position_ = position; }

    // The whole expanded content, read and expanded on first use.
    // Throws FormatError for damaged data and ReadError when the source cannot be read.
    const std::vector<std::uint8_t>& expanded();

    struct ReadError {};

private:
    HFILE source_;
    Header header_;
    std::vector<std::uint8_t> compressed_;
    std::optional<std::vector<std::uint8_t>> expanded_;
    std::size_t position_ = 0;
};

// The LZ file behind HANDLE, or null when it is another kind of handle.
LzFile* findLzFile(INT handle);

}  // namespace platform::lz
