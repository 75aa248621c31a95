#include "kernel/text.h"

#include <iconv.h>

#include <algorithm>
#include <cerrno>
#include <string>

namespace platform::text {
namespace {

std::string iconvName(int codePage) {
    switch (codePage) {
    case 65001: return "UTF-8";
    case 949: return "CP949";
    case 1252: return "CP1252";
    case 437: return "CP437";
    case 850: return "CP850";
    default: return "CP" + std::to_string(codePage);
    }
}

// Converts with iconv, replacing each unconvertible input sequence with REPLACEMENT and going on.
std::size_t utf8SequenceLength(unsigned char lead) {
    if (lead < 0x80) return 1;
    if ((lead >> 5) == 0x6) return 2;
    if ((lead >> 4) == 0xE) return 3;
    if ((lead >> 3) == 0x1E) return 4;
    return 1;
}

// Converts with iconv, replacing each unconvertible input character with REPLACEMENT and going on.
// A character of UTF-8 input spans its whole sequence; of any other input, one byte.
std::string run(std::string_view in, const std::string& from, const std::string& to,
                std::string_view replacement) {
    const bool utf8Input = from == "UTF-8";
    iconv_t cd = iconv_open(to.c_str(), from.c_str());
    if (cd == reinterpret_cast<iconv_t>(-1)) return std::string(in);
    std::string out;
    out.reserve(in.size() * 2 + 8);
    char* src = const_cast<char*>(in.data());
    std::size_t srcLeft = in.size();
    char buffer[512];
    while (srcLeft > 0) {
        char* dst = buffer;
        std::size_t dstLeft = sizeof buffer;
        std::size_t r = iconv(cd, &src, &srcLeft, &dst, &dstLeft);
        out.append(buffer, static_cast<std::size_t>(dst - buffer));
        if (r != static_cast<std::size_t>(-1)) continue;
        if (errno == E2BIG) continue;
        // EILSEQ or EINVAL (truncated sequence): replace and skip.
        out.append(replacement);
        std::size_t step = utf8Input ? utf8SequenceLength(static_cast<unsigned char>(*src)) : 1;
        step = std::min(step, srcLeft);
        src += step;
        srcLeft -= step;
        iconv(cd, nullptr, nullptr, nullptr, nullptr);
    }
    iconv_close(cd);
    return out;
}

bool isAscii(std::string_view s) {
    for (unsigned char c : s)
        if (c >= 0x80) return false;
    return true;
}

}  // namespace

std::string toUtf8(std::string_view bytes, int codePage) {
    if (isAscii(bytes) || codePage == 65001) return std::string(bytes);
    return run(bytes, iconvName(codePage), "UTF-8", "\xEF\xBF\xBD");
}

std::string fromUtf8(std::string_view utf8, int codePage) {
    if (isAscii(utf8) || codePage == 65001) return std::string(utf8);
    return run(utf8, "UTF-8", iconvName(codePage), "?");
}

std::string convert(std::string_view bytes, int fromCodePage, int toCodePage) {
    if (fromCodePage == toCodePage || isAscii(bytes)) return std::string(bytes);
    return run(bytes, iconvName(fromCodePage), iconvName(toCodePage), "?");
}

}  // namespace platform::text
