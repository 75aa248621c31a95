// The platform's LZ expand functions.
#include "lz/lz_file.h"
#include "win/lz.h"

#include <algorithm>
#include <cstring>
#include <memory>
#include <vector>

namespace {

using platform::lz::FormatError;
using platform::lz::LzFile;

constexpr UINT kCopyChunk = 64 * 1024;

bool isOpenFile(HFILE file) { return _llseek(file, 0, FILE_CURRENT) != HFILE_ERROR; }

bool writeAll(HFILE file, const std::uint8_t* data, std::size_t size) {
    while (size > 0) {
        UINT chunk = static_cast<UINT>(std::min<std::size_t>(size, kCopyChunk));
        if (_lwrite(file, reinterpret_cast<LPCSTR>(data), chunk) != chunk) return false;
        data += chunk;
        size -= chunk;
    }
    return true;
}

// The LZERROR_ code for a compressed file that cannot be expanded.
LONG expansionError(const FormatError& error) {
    return error.fault() == platform::lz::Fault::UnknownMode ? LZERROR_UNKNOWNALG : LZERROR_READ;
}

// Copies the rest of an LZ file from its read position.
LONG copyExpanded(LzFile& source, HFILE destination) {
    try {
        const auto& data = source.expanded();
        std::size_t from = std::min(source.position(), data.size());
        if (!writeAll(destination, data.data() + from, data.size() - from)) return LZERROR_WRITE;
        source.setPosition(data.size());
        return static_cast<LONG>(data.size() - from);
    } catch (const FormatError& error) {
        return expansionError(error);
    } catch (const LzFile::ReadError&) {
        return LZERROR_READ;
    }
}

// Copies the rest of a plain file unchanged.
LONG copyPlain(HFILE source, HFILE destination) {
    std::vector<char> buffer(kCopyChunk);
    LONG total = 0;
    for (;;) {
        UINT got = _lread(source, buffer.data(), kCopyChunk);
        if (got == static_cast<UINT>(HFILE_ERROR)) return LZERROR_READ;
        if (got == 0) return total;
        if (_lwrite(destination, buffer.data(), got) != got) return LZERROR_WRITE;
        total += static_cast<LONG>(got);
    }
}

// Whether OpenFile with STYLE opens a file for reading (and so may give an LZ file).
bool opensForReading(WORD style) {
    return (style & (OF_WRITE | OF_READWRITE | OF_CREATE | OF_DELETE | OF_EXIST | OF_PARSE)) == 0;
}

}  // namespace

INT WINAPI LZInit(INT file) {
    if (!isOpenFile(file)) return LZERROR_BADINHANDLE;
    LONG start = _llseek(file, 0, FILE_CURRENT);
    std::vector<std::uint8_t> header(platform::lz::kHeaderSize);
    UINT got = _lread(file, header.data(), static_cast<UINT>(header.size()));
    if (got == static_cast<UINT>(HFILE_ERROR)) return LZERROR_BADINHANDLE;
    header.resize(got);
    if (!platform::lz::hasMagic(header)) {
        _llseek(file, start, FILE_BEGIN);
        return file;
    }
    if (LzFile::openCount() >= LzFile::kMaxOpen) return LZERROR_GLOBALLOC;
    try {
        HANDLE handle = platform::handles::add(std::make_unique<LzFile>(file, std::move(header)));
        return platform::handles::toHfile(handle);
    } catch (const FormatError& error) {
        return expansionError(error);
    }
}

INT WINAPI LZOpenFileA(LPCSTR fileName, LPOFSTRUCT reopenBuffer, WORD style) {
    HFILE file = OpenFile(fileName, reopenBuffer, style);
    if (file == HFILE_ERROR) return LZERROR_BADINHANDLE;
    if (!opensForReading(style)) return file;
    INT result = LZInit(file);
    if (result < 0) _lclose(file);
    return result;
}

INT WINAPI LZRead(INT file, LPSTR buffer, INT count) {
    if (count < 0) return LZERROR_BADVALUE;
    LzFile* lz = platform::lz::findLzFile(file);
    if (!lz) {
        UINT got = _lread(file, buffer, static_cast<UINT>(count));
        return got == static_cast<UINT>(HFILE_ERROR) ? LZERROR_BADINHANDLE : static_cast<INT>(got);
    }
    try {
        const auto& data = lz->expanded();
        std::size_t from = std::min(lz->position(), data.size());
        std::size_t n = std::min(data.size() - from, static_cast<std::size_t>(count));
        std::memcpy(buffer, data.data() + from, n);
        lz->setPosition(from + n);
        return static_cast<INT>(n);
    } catch (const FormatError& error) {
        return expansionError(error);
    } catch (const LzFile::ReadError&) {
        return LZERROR_READ;
    }
}

LONG WINAPI LZSeek(INT file, LONG offset, INT origin) {
    LzFile* lz = platform::lz::findLzFile(file);
    if (!lz) {
        LONG position = _llseek(file, offset, origin);
        return position == HFILE_ERROR ? LZERROR_BADINHANDLE : position;
    }
    long long base = 0;
    switch (origin) {
    case FILE_BEGIN: base = 0; break;
    case FILE_CURRENT: base = static_cast<long long>(lz->position()); break;
    case FILE_END: base = lz->length(); break;
    default: return LZERROR_BADVALUE;
    }
    long long target = base + offset;
    if (target < 0 || target > lz->length()) return LZERROR_BADVALUE;
    lz->setPosition(static_cast<std::size_t>(target));
    return static_cast<LONG>(target);
}

LONG WINAPI LZCopy(INT source, INT destination) {
    if (!isOpenFile(destination)) return LZERROR_BADOUTHANDLE;
    if (LzFile* lz = platform::lz::findLzFile(source)) return copyExpanded(*lz, destination);
    // A plain file handle: expanded too when the file turns out to be compressed.
    INT opened = LZInit(source);
    if (opened < 0) return opened;
    if (opened == source) return copyPlain(source, destination);
    LONG result = copyExpanded(*platform::lz::findLzFile(opened), destination);
    platform::handles::close(platform::handles::fromHfile(opened));  // SOURCE stays the caller's
    return result;
}

void WINAPI LZClose(INT file) {
    if (LzFile* lz = platform::lz::findLzFile(file)) {
        _lclose(lz->source());
        platform::handles::close(platform::handles::fromHfile(file));
        return;
    }
    _lclose(file);
}

// Our copies need no buffers set up in advance; LZStart only reports that copying can begin.
INT WINAPI LZStart() { return 1; }

LONG WINAPI CopyLZFile(INT source, INT destination) { return LZCopy(source, destination); }

void WINAPI LZDone() {}
