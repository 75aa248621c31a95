#include "gdi/codepage.h"

#include <iconv.h>

#include <bit>
#include <cerrno>
#include <map>
#include <mutex>
#include <stdexcept>

namespace platform::gdi {

// Characters come out of the converter as 32-bit units in the machine's own order.
static_assert(std::endian::native == std::endian::little);

namespace {

// One open converter per source encoding, kept for the life of the process.
class Converters {
public:
    static Converters& instance() {
        static Converters converters;
        return converters;
    }

    std::u32string decode(std::string_view bytes, const std::string& encoding) {
        std::lock_guard lock(mutex_);
        iconv_t cd = open(encoding);
        std::u32string out;
        out.reserve(bytes.size());
        char* in = const_cast<char*>(bytes.data());
        std::size_t inLeft = bytes.size();
        char32_t buffer[256];
        while (inLeft > 0) {
            char* outPtr = reinterpret_cast<char*>(buffer);
            std::size_t outLeft = sizeof buffer;
            std::size_t result = iconv(cd, &in, &inLeft, &outPtr, &outLeft);
            out.append(buffer, (sizeof buffer - outLeft) / sizeof(char32_t));
            if (result == static_cast<std::size_t>(-1) && errno != E2BIG) {
                // An invalid or cut-off sequence: one replacement character for its first byte.
                out.push_back(U'\uFFFD');
                ++in;
                --inLeft;
                iconv(cd, nullptr, nullptr, nullptr, nullptr);
            }
        }
        return out;
    }

private:
    ~Converters() {
        for (auto& [name, cd] : open_) iconv_close(cd);
    }

    iconv_t open(const std::string& encoding) {
        auto found = open_.find(encoding);
        if (found != open_.end()) return found->second;
        iconv_t cd = iconv_open("UTF-32LE", encoding.c_str());
        if (cd == reinterpret_cast<iconv_t>(-1))
            throw std::runtime_error("no converter for text encoding " + encoding);
        open_.emplace(encoding, cd);
        return cd;
    }

    std::mutex mutex_;
    std::map<std::string, iconv_t> open_;
};

std::string encodingOf(int codePage) {
    switch (codePage) {
    case 65001:
        return "UTF-8";
    case 20127:
        return "ASCII";
    case 28591:
        return "ISO-8859-1";
    default:
        return "CP" + std::to_string(codePage);
    }
}

}  // namespace

std::u32string decodeCodePage(std::string_view bytes, int codePage) {
    return Converters::instance().decode(bytes, encodingOf(codePage));
}


}  // namespace platform::gdi
