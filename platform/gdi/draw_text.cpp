// DrawTextA: formatted text in a rectangle.
#include <algorithm>
#include <vector>

#include "gdi/device_context.h"
#include "gdi/text_run.h"
#include "win/gdi.h"

using namespace platform::gdi;

namespace {

struct Line {
    std::u32string text;
    std::optional<std::size_t> mnemonic;  // the character after a single '&'
};

// Removes the '&' prefixes: "&x" underlines x, "&&" is one '&'.
Line stripPrefixes(const std::u32string& text) {
    Line line;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == U'&' && i + 1 < text.size()) {
            ++i;
            if (text[i] != U'&' && !line.mnemonic) line.mnemonic = line.text.size();
        } else if (text[i] == U'&') {
            continue;
        }
        line.text.push_back(text[i]);
    }
    return line;
}

std::u32string expandTabs(const std::u32string& text, const SizedFont& font) {
    int stop = 8 * std::max(1, static_cast<int>(font.metrics().tmAveCharWidth));
    std::u32string out;
    int width = 0;
    for (char32_t ch : text) {
        if (ch != U'\t') {
            out.push_back(ch);
            width += font.advance(ch);
            continue;
        }
        int next = (width / stop + 1) * stop;
        while (width < next) {
            out.push_back(U' ');
            width += std::max(1, font.advance(U' '));
        }
    }
    return out;
}

std::vector<std::u32string> splitParagraphs(const std::u32string& text, bool singleLine) {
    std::vector<std::u32string> paragraphs(1);
    for (std::size_t i = 0; i < text.size(); ++i) {
        char32_t ch = text[i];
        if (ch == U'\r' || ch == U'\n') {
            if (singleLine) continue;
            if (ch == U'\r' && i + 1 < text.size() && text[i + 1] == U'\n') ++i;
            paragraphs.emplace_back();
            continue;
        }
        paragraphs.back().push_back(ch);
    }
    return paragraphs;
}

// Breaks a paragraph between words so that each line fits WIDTH; a word wider than WIDTH
// stays whole on a line of its own.
std::vector<Line> wrap(const Line& paragraph, const SizedFont& font, int width) {
    std::vector<Line> lines;
    const std::u32string& text = paragraph.text;
    std::size_t start = 0;
    while (true) {
        std::size_t end = start;  // end of the text that fits
        std::size_t scan = start;
        int used = 0;
        while (scan < text.size()) {
            std::size_t wordEnd = scan;
            while (wordEnd < text.size() && text[wordEnd] == U' ') ++wordEnd;
            while (wordEnd < text.size() && text[wordEnd] != U' ') ++wordEnd;
            int wordWidth = runWidth(font, std::u32string_view(text).substr(scan, wordEnd - scan));
            if (used + wordWidth > width && end > start) break;
            used += wordWidth;
            end = scan = wordEnd;
        }
        Line line;
        line.text = text.substr(start, end - start);
        while (!line.text.empty() && line.text.back() == U' ') line.text.pop_back();
        if (paragraph.mnemonic && *paragraph.mnemonic >= start && *paragraph.mnemonic < start + line.text.size())
            line.mnemonic = *paragraph.mnemonic - start;
        lines.push_back(std::move(line));
        start = end;
        while (start < text.size() && text[start] == U' ') ++start;
        if (start >= text.size()) break;
    }
    return lines;
}

}  // namespace

int WINAPI DrawTextA(HDC handle, LPCSTR text, int length, LPRECT rect, UINT format) {
    auto dc = findDc(handle);
    if (!dc || !rect || (!text && length != 0)) return 0;
    auto font = fontOf(*dc);
    if (!font) return 0;
    const int lineHeight = font->metrics().tmHeight;
    bool singleLine = format & DT_SINGLELINE;

    std::u32string characters = decodeText(text, length);
    if (format & DT_EXPANDTABS) characters = expandTabs(characters, *font);
    std::vector<Line> lines;
    for (const std::u32string& paragraph : splitParagraphs(characters, singleLine)) {
        Line stripped = format & DT_NOPREFIX ? Line{paragraph, std::nullopt} : stripPrefixes(paragraph);
        if (!singleLine && (format & DT_WORDBREAK)) {
            for (Line& line : wrap(stripped, *font, rect->right - rect->left)) lines.push_back(std::move(line));
        } else {
            lines.push_back(std::move(stripped));
        }
    }
    if (characters.empty()) lines.clear();

    int widest = 0;
    for (const Line& line : lines) widest = std::max(widest, runWidth(*font, line.text));
    int height = static_cast<int>(lines.size()) * lineHeight;
    if (format & DT_CALCRECT) {
        rect->right = rect->left + widest;
        rect->bottom = rect->top + height;
        return height;
    }

    int y = rect->top;
    if (singleLine && (format & DT_VCENTER)) y = rect->top + (rect->bottom - rect->top - lineHeight) / 2;
    else if (singleLine && (format & DT_BOTTOM)) y = rect->bottom - lineHeight;
    std::optional<RECT> limit;
    if (!(format & DT_NOCLIP)) limit = *rect;
    for (const Line& line : lines) {
        int width = runWidth(*font, line.text);
        int x = rect->left;
        if (format & DT_CENTER) x = rect->left + (rect->right - rect->left - width) / 2;
        else if (format & DT_RIGHT) x = rect->right - width;
        drawRun(*dc, *font, x, y, line.text, limit, line.mnemonic);
        y += lineHeight;
    }
    if (singleLine && (format & (DT_VCENTER | DT_BOTTOM))) return y - rect->top;
    return height;
}
