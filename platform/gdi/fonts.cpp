#include "gdi/fonts.h"

#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_TRUETYPE_TABLES_H
#include FT_ADVANCES_H

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <map>
#include <set>
#include <stdexcept>

namespace platform::gdi {

namespace {

enum class Family { Sans, Serif, Mono, Korean, System };

std::string lowerAscii(const std::u32string& text) {
    std::string out;
    for (char32_t ch : text) out.push_back(ch < 0x80 ? static_cast<char>(std::tolower(static_cast<int>(ch))) : '?');
    return out;
}

bool isHangul(const std::u32string& text) {
    return std::any_of(text.begin(), text.end(), [](char32_t ch) { return ch >= 0xAC00 && ch <= 0xD7A3; });
}

Family familyOf(const std::u32string& face) {
    std::string name = lowerAscii(face);
    if (name == "system") return Family::System;
    if (name == "times new roman" || name == "times" || name == "ms serif") return Family::Serif;
    if (name == "courier new" || name == "courier" || name == "fixedsys" || name == "terminal") return Family::Mono;
    if (isHangul(face) || name == "gulim" || name == "gulimche" || name == "dotum" || name == "dotumche" ||
        name == "batang" || name == "gungsuh")
        return Family::Korean;
    return Family::Sans;
}

const char* const kFontFolders[] = {"/usr/share/fonts/truetype/liberation", "/usr/share/fonts/truetype/liberation2",
                                    "/usr/share/fonts/truetype/nanum"};

std::filesystem::path findFontFile(const std::string& file) {
    for (const char* folder : kFontFolders) {
        std::filesystem::path candidate = std::filesystem::path(folder) / file;
        if (std::filesystem::exists(candidate)) return candidate;
    }
    throw std::runtime_error("font file " + file + " not found (the fonts-liberation and fonts-nanum packages provide it)");
}

std::string fileOf(Family family, bool bold, bool italic) {
    std::string style = bold ? (italic ? "BoldItalic" : "Bold") : (italic ? "Italic" : "Regular");
    switch (family) {
    case Family::Serif:
        return "LiberationSerif-" + style + ".ttf";
    case Family::Mono:
        return "LiberationMono-" + style + ".ttf";
    case Family::Korean:
        return bold ? "NanumGothicBold.ttf" : "NanumGothic.ttf";
    case Family::System:
        return "LiberationSans-Bold.ttf";
    case Family::Sans:
        break;
    }
    return "LiberationSans-" + style + ".ttf";
}

FT_Library library() {
    static FT_Library lib = [] {
        FT_Library created = nullptr;
        if (FT_Init_FreeType(&created) != 0) throw std::runtime_error("FreeType could not be initialised");
        return created;
    }();
    return lib;
}

int roundDiv(double value) { return static_cast<int>(std::lround(value)); }

// The average character width in font units as the platform defines it: the lower-case letters
// and the blank weighted by how often they occur in English text. (Faces that derive their
// stored average from all their glyphs would otherwise measure wider than the face they stand for.)
double weightedAverageWidth(FT_Face face) {
    static const int kWeights[26] = {64, 14, 27, 35, 100, 20, 14, 42, 63, 3, 6, 35, 20,
                                     56, 56, 17, 4,  49, 56, 71, 31, 10, 18, 3, 18, 2};
    auto advance = [&](char32_t ch) -> double {
        FT_UInt index = FT_Get_Char_Index(face, ch);
        FT_Fixed units = 0;
        if (index == 0 || FT_Get_Advance(face, index, FT_LOAD_NO_SCALE, &units) != 0) return -1;
        return static_cast<double>(units);
    };
    double total = 166 * advance(U' ');
    if (total < 0) return 0;
    for (int i = 0; i < 26; ++i) {
        double width = advance(static_cast<char32_t>(U'a' + i));
        if (width < 0) return 0;
        total += kWeights[i] * width;
    }
    return total / 1000;
}

}  // namespace

// One face file opened at one pixel size.
class Face {
public:
    Face(const std::filesystem::path& file, int xppem, int yppem, bool oblique) {
        if (FT_New_Face(library(), file.c_str(), 0, &face_) != 0)
            throw std::runtime_error("font file " + file.string() + " cannot be read");
        if (FT_Set_Pixel_Sizes(face_, static_cast<FT_UInt>(xppem), static_cast<FT_UInt>(yppem)) != 0) {
            FT_Done_Face(face_);
            throw std::runtime_error("font file " + file.string() + " cannot be sized");
        }
        if (oblique) {
            FT_Matrix shear{0x10000, 0x0366A, 0, 0x10000};
            FT_Set_Transform(face_, &shear, nullptr);
        }
    }
    ~Face() { FT_Done_Face(face_); }
    Face(const Face&) = delete;
    Face& operator=(const Face&) = delete;

    FT_Face get() const { return face_; }
    bool has(char32_t ch) const { return FT_Get_Char_Index(face_, ch) != 0; }

    Glyph render(char32_t ch) const {
        Glyph glyph;
        FT_UInt index = FT_Get_Char_Index(face_, ch);
        if (FT_Load_Glyph(face_, index, FT_LOAD_TARGET_MONO) != 0) return glyph;
        FT_GlyphSlot slot = face_->glyph;
        glyph.advance = static_cast<int>((slot->advance.x + 32) >> 6);
        if (FT_Render_Glyph(slot, FT_RENDER_MODE_MONO) != 0) return glyph;
        const FT_Bitmap& bitmap = slot->bitmap;
        glyph.width = static_cast<int>(bitmap.width);
        glyph.rows = static_cast<int>(bitmap.rows);
        glyph.left = slot->bitmap_left;
        glyph.top = slot->bitmap_top;
        glyph.coverage.resize(static_cast<std::size_t>(glyph.width) * glyph.rows);
        for (int y = 0; y < glyph.rows; ++y) {
            const unsigned char* row = bitmap.buffer + static_cast<std::ptrdiff_t>(y) * bitmap.pitch;
            for (int x = 0; x < glyph.width; ++x)
                glyph.coverage[static_cast<std::size_t>(y) * glyph.width + x] = (row[x / 8] >> (7 - x % 8)) & 1;
        }
        return glyph;
    }

private:
    FT_Face face_ = nullptr;
};

namespace {

std::shared_ptr<Face> openFace(Family family, bool bold, bool italic, int xppem, int yppem) {
    // The Korean face has no italic of its own: it is slanted instead.
    bool oblique = italic && family == Family::Korean;
    std::string file = fileOf(family, bold, italic);
    static std::mutex mutex;
    static std::map<std::string, std::weak_ptr<Face>> open;
    std::string key = file + "|" + std::to_string(xppem) + "|" + std::to_string(yppem) + (oblique ? "|o" : "");
    std::lock_guard lock(mutex);
    if (auto existing = open[key].lock()) return existing;
    auto face = std::make_shared<Face>(findFontFile(file), xppem, yppem, oblique);
    open[key] = face;
    return face;
}

std::string requestKey(const FontRequest& r) {
    std::string key = std::to_string(r.height) + "," + std::to_string(r.width) + "," + std::to_string(r.weight) + "," +
                      (r.italic ? "i" : "") + (r.underline ? "u" : "") + (r.strikeOut ? "s" : "") + "," +
                      std::to_string(r.charSet) + ",";
    for (char32_t ch : r.face) key += std::to_string(static_cast<std::uint32_t>(ch)) + ".";
    return key;
}

}  // namespace

SizedFont::~SizedFont() = default;

std::shared_ptr<const SizedFont> SizedFont::get(const FontRequest& request) {
    static std::mutex mutex;
    static std::map<std::string, std::shared_ptr<const SizedFont>> made;
    std::string key = requestKey(request);
    std::lock_guard lock(mutex);
    if (auto found = made.find(key); found != made.end()) return found->second;

    Family family = familyOf(request.face);
    bool system = family == Family::System;
    bool bold = system || request.weight >= FW_SEMIBOLD;
    // The System font is a raster font of one size: every request gets its 16-pixel cell.
    int height = system || request.height == 0 ? 16 : request.height;

    auto font = std::shared_ptr<SizedFont>(new SizedFont());
    try {
        // The metrics come from the primary face; sizes are whole pixels per em as the platform uses.
        auto probe = openFace(family, bold, request.italic && !system, 16, 16);
        FT_Face ft = probe->get();
        auto* os2 = static_cast<TT_OS2*>(FT_Get_Sfnt_Table(ft, FT_SFNT_OS2));
        auto* hhea = static_cast<TT_HoriHeader*>(FT_Get_Sfnt_Table(ft, FT_SFNT_HHEA));
        double upem = ft->units_per_EM;
        double winAscent = os2 ? os2->usWinAscent : ft->ascender;
        double winDescent = os2 ? os2->usWinDescent : -ft->descender;
        double averageUnits = weightedAverageWidth(ft);
        if (averageUnits <= 0) averageUnits = os2 && os2->xAvgCharWidth > 0 ? os2->xAvgCharWidth : upem / 2;

        int ppem, ascent, descent;
        if (height < 0) {
            ppem = -height;
            ascent = roundDiv(winAscent * ppem / upem);
            descent = roundDiv(winDescent * ppem / upem);
        } else {
            ppem = std::max(1, roundDiv(height * upem / (winAscent + winDescent)));
            ascent = roundDiv(winAscent * height / (winAscent + winDescent));
            descent = height - ascent;
        }
        ppem = std::max(1, ppem);
        int xppem = request.width > 0 ? std::max(1, roundDiv(request.width * upem / averageUnits)) : ppem;

        font->primary_ = openFace(family, bold, request.italic && !system, xppem, ppem);
        if (family != Family::Korean) font->fallback_ = openFace(Family::Korean, bold, request.italic, xppem, ppem);

        TEXTMETRICA& tm = font->metrics_;
        tm.tmHeight = ascent + descent;
        tm.tmAscent = ascent;
        tm.tmDescent = descent;
        tm.tmInternalLeading = std::max(0, tm.tmHeight - ppem);
        double lineGap = hhea ? (hhea->Ascender - hhea->Descender + hhea->Line_Gap) - (winAscent + winDescent) : 0;
        tm.tmExternalLeading = std::max(0, roundDiv(lineGap * ppem / upem));
        tm.tmAveCharWidth = request.width > 0 ? request.width : roundDiv(averageUnits * xppem / upem);
        tm.tmMaxCharWidth = hhea ? roundDiv(hhea->advance_Width_Max * xppem / upem) : xppem;
        tm.tmWeight = system ? FW_BOLD : (request.weight == FW_DONTCARE ? FW_NORMAL : request.weight);
        tm.tmDigitizedAspectX = 96;
        tm.tmDigitizedAspectY = 96;
        tm.tmFirstChar = 0x20;
        tm.tmLastChar = 0xFF;
        tm.tmDefaultChar = 0x1F;
        tm.tmBreakChar = 0x20;
        tm.tmItalic = request.italic ? 1 : 0;
        tm.tmUnderlined = request.underline ? 1 : 0;
        tm.tmStruckOut = request.strikeOut ? 1 : 0;
        BYTE pitch = family == Family::Mono ? 0 : TMPF_FIXED_PITCH;  // the bit means "variable pitch"
        BYTE kind = system ? 0 : (TMPF_VECTOR | TMPF_TRUETYPE);
        BYTE familyBits = family == Family::Serif ? FF_ROMAN : family == Family::Mono ? FF_MODERN : FF_SWISS;
        tm.tmPitchAndFamily = static_cast<BYTE>(pitch | kind | familyBits);
        tm.tmCharSet = static_cast<BYTE>(request.charSet != DEFAULT_CHARSET ? request.charSet
                                         : family == Family::Korean   ? HANGUL_CHARSET
                                                                      : ANSI_CHARSET);
    } catch (const std::exception& error) {
        static std::set<std::string> reported;
        if (reported.insert(error.what()).second) std::fprintf(stderr, "gdi: %s\n", error.what());
        return nullptr;
    }
    font->underline_ = request.underline;
    font->strikeOut_ = request.strikeOut;
    made.emplace(key, font);
    return font;
}

const Glyph& SizedFont::glyph(char32_t ch) const {
    std::lock_guard lock(mutex_);
    auto found = glyphs_.find(ch);
    if (found != glyphs_.end()) return found->second;
    const Face& face = primary_->has(ch) || !fallback_ || !fallback_->has(ch) ? *primary_ : *fallback_;
    return glyphs_.emplace(ch, face.render(ch)).first->second;
}

}  // namespace platform::gdi
