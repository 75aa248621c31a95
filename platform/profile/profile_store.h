// The parsed initialization files of this process, kept between calls and re-read only when the
// file on the host has changed (size, modification time to the nanosecond, or inode differ), so
// that a change made by another process is seen at the next call. Host clocks stamp files in
// ticks of some milliseconds, so a file changed within a tick of its last change may keep its
// stamp: a file whose stamp was that recent when it was read is read again at the next call and
// compared with the kept text until its stamp is safely in the past. Writes replace the whole file
// at once: the new text goes to a new file in the same folder, which is then renamed over the
// old one, so a reader never sees half of an update.
#pragma once

#include "profile/ini_document.h"

#include "win/types.h"

#include <cstdint>
#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <optional>

namespace platform::profile {

class ProfileStore {
public:
    // What tells one state of a file from another, and the code page its names were folded for.
    struct Signature {
        std::uintmax_t size = 0;
        std::int64_t modifiedSeconds = 0;
        std::int64_t modifiedNanoseconds = 0;
        std::uintmax_t inode = 0;
        int codePage = 0;
        bool operator==(const Signature&) const = default;
    };

    // The store of this process.
    static ProfileStore& instance();

    // The parsed file at HOST with names folded for CODEPAGE; nullptr (with ERROR in `error`)
    // when it cannot be read: ERROR_FILE_NOT_FOUND when it does not exist.
    std::shared_ptr<const IniDocument> load(const std::filesystem::path& host, int codePage, DWORD& error);

    // Gives EDIT the file at HOST as it is now (an empty document when it does not exist) and
    // writes the text that EDIT returns when it differs, creating the file when missing and
    // keeping its attributes. Profile writers of all processes take turns on the file's folder,
    // so no update is lost between reading and writing. False with the platform error in
    // `error` when the file cannot be written: ERROR_ACCESS_DENIED for a read-only file,
    // ERROR_SHARING_VIOLATION while another open of it refuses writing.
    using Edit = std::function<std::string(const IniDocument&)>;
    bool update(const std::filesystem::path& host, int codePage, const Edit& edit, DWORD& error);

    // Drops what is kept of the file at HOST.
    void forget(const std::filesystem::path& host);

private:
    struct Entry {
        Signature signature;
        std::shared_ptr<const IniDocument> document;
        bool recent = false;  // stamped too near to its reading to be trusted yet
        std::uint64_t lastUse = 0;
    };
    struct Cached {
        std::shared_ptr<const IniDocument> document;
        bool trusted = false;
    };

    static std::optional<Signature> signatureOf(const std::filesystem::path& host, int codePage, DWORD& error);
    Cached cached(const std::filesystem::path& host, const Signature& signature);
    void keep(const std::filesystem::path& host, Signature signature, std::shared_ptr<const IniDocument> document,
              bool recent);
    bool replace(const std::filesystem::path& host, const std::string& text, int codePage, DWORD& error);

    static constexpr std::size_t kMaxFiles = 64;
    std::mutex lock_;
    std::map<std::filesystem::path, Entry> entries_;
    std::uint64_t useCounter_ = 0;
};

}  // namespace platform::profile
