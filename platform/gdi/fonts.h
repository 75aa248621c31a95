// TrueType faces that stand for the platform's fonts, sized as a font request asks.
//   "Arial" (and the dialog and sans faces)  -> Liberation Sans (same metrics)
//   "Times New Roman" / "Courier New"        -> Liberation Serif / Liberation Mono
//   Korean faces, and any character the face lacks -> Nanum Gothic
//   "System" -> a bold sans face at the one size the raster System font has (16-pixel cell)
#pragma once

#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <unordered_map>
#include <vector>

#include "win/gdi.h"

namespace platform::gdi {

// What CreateFontA was asked for (face name already decoded).
struct FontRequest {
    int height = 0;  // < 0: character height; > 0: cell height; 0: the default size
    int width = 0;   // average character width; 0: the face's own proportions
    int weight = FW_NORMAL;
    bool italic = false;
    bool underline = false;
    bool strikeOut = false;
    int charSet = DEFAULT_CHARSET;
    std::u32string face;
};

// One character ready to draw: 1 byte per pixel (0 or 1), rows from the top.
struct Glyph {
    int width = 0;
    int rows = 0;
    int left = 0;  // from the pen position to the first column
    int top = 0;   // from the baseline up to the first row
    int advance = 0;
    std::vector<std::uint8_t> coverage;
};

class Face;

// A font at its size. Shared by every font object that asks for the same thing.
class SizedFont {
public:
    // Null when no face file can be loaded (the reason is written to standard error once).
    static std::shared_ptr<const SizedFont> get(const FontRequest& request);

    const TEXTMETRICA& metrics() const { return metrics_; }
    bool underline() const { return underline_; }
    bool strikeOut() const { return strikeOut_; }
    const Glyph& glyph(char32_t ch) const;
    int advance(char32_t ch) const { return glyph(ch).advance; }

    SizedFont(const SizedFont&) = delete;
    SizedFont& operator=(const SizedFont&) = delete;
    ~SizedFont();

private:
    SizedFont() = default;

    std::shared_ptr<Face> primary_;
    std::shared_ptr<Face> fallback_;
    TEXTMETRICA metrics_{};
    bool underline_ = false;
    bool strikeOut_ = false;
    mutable std::mutex mutex_;
    mutable std::unordered_map<char32_t, Glyph> glyphs_;
};

}  // namespace platform::gdi
