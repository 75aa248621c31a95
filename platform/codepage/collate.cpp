#include "codepage/collate.h"

#include "codepage/code_page.h"

#include <vector>

namespace platform::codepage {

namespace {

enum Group : unsigned { kSymbol = 1, kDigit = 2, kLetter = 3, kDoubleByte = 4 };

struct Weight {
    unsigned primary = 0;    // group and place in the group
    unsigned accent = 0;     // 0 for a plain letter
    unsigned upperCase = 0;  // 1 for an upper-case letter
    bool wordJoiner = false; // hyphen or apostrophe: left out of the first comparisons
};

unsigned make(Group group, unsigned place) { return (static_cast<unsigned>(group) << 16) | place; }

// Base letters of the 1252 bytes 0xC0-0xFF; '*' marks a byte that is no letter, '~' a letter
// that sorts after z.
constexpr char kWesternBases[] = "AAAAAAACEEEEIIIIDNOOOOO*OUUUUY~saaaaaaaceeeeiiiidnooooo*ouuuuy~y";

// The base letter of a 1252 letter beyond ASCII (lower case), or 0 for a byte that is no letter.
unsigned char westernBase(unsigned char b) {
    switch (b) {
    case 0x8A: case 0x9A: return 's';
    case 0x8C: case 0x9C: return 'o';
    case 0x8E: case 0x9E: return 'z';
    case 0x9F: return 'y';
    default: break;
    }
    if (b < 0xC0) return 0;
    char base = kWesternBases[b - 0xC0];
    if (base == '*') return 0;
    if (base == '~') return 'z' + 1;
    return static_cast<unsigned char>(base | 0x20);
}

Weight weigh(int codePage, std::string_view ch) {
    Weight w;
    auto b = static_cast<unsigned char>(ch[0]);
    if (ch.size() == 2) {
        w.primary = make(kDoubleByte, (b << 8) | static_cast<unsigned char>(ch[1]));
        return w;
    }
    if (b == '-' || b == '\'') w.wordJoiner = true;
    if (b >= '0' && b <= '9') {
        w.primary = make(kDigit, b);
        return w;
    }
    unsigned char lower = toLower(codePage, b);
    w.upperCase = lower != b ? 1 : 0;
    if (lower >= 'a' && lower <= 'z') {
        w.primary = make(kLetter, lower);
        return w;
    }
    if (unsigned char base = codePage == 1252 ? westernBase(b) : 0) {
        w.primary = make(kLetter, base);
        w.accent = lower;
        return w;
    }
    w.primary = make(kSymbol, b);
    return w;
}

std::vector<Weight> weights(std::string_view text, int codePage) {
    std::vector<Weight> result;
    while (!text.empty()) {
        std::size_t n = charLength(codePage, text);
        result.push_back(weigh(codePage, text.substr(0, n)));
        text.remove_prefix(n);
    }
    return result;
}

template <typename Key>
int compareBy(const std::vector<Weight>& a, const std::vector<Weight>& b, bool skipJoiners, Key key) {
    std::size_t i = 0, j = 0;
    for (;;) {
        if (skipJoiners) {
            while (i < a.size() && a[i].wordJoiner) ++i;
            while (j < b.size() && b[j].wordJoiner) ++j;
        }
        bool endA = i == a.size(), endB = j == b.size();
        if (endA || endB) return endA && endB ? 0 : (endA ? -1 : 1);
        unsigned ka = key(a[i]), kb = key(b[j]);
        if (ka != kb) return ka < kb ? -1 : 1;
        ++i;
        ++j;
    }
}

}  // namespace

int compareWords(std::string_view a, std::string_view b, int codePage, bool ignoreCase) {
    std::vector<Weight> wa = weights(a, codePage), wb = weights(b, codePage);
    if (int r = compareBy(wa, wb, true, [](const Weight& w) { return w.primary; })) return r;
    if (int r = compareBy(wa, wb, true, [](const Weight& w) { return w.accent; })) return r;
    if (!ignoreCase)
        if (int r = compareBy(wa, wb, true, [](const Weight& w) { return w.upperCase; })) return r;
    return compareBy(wa, wb, false, [](const Weight& w) { return w.primary; });
}

}  // namespace platform::codepage
