#include "rc/stock_images.h"

#include <cmath>
#include <functional>
#include <string_view>

#include "gdi/device_context.h"
#include "win/gdi.h"
#include "win/resource.h"

namespace platform::rc {

namespace {

constexpr COLORREF kBlack = RGB(0, 0, 0);
constexpr COLORREF kWhite = RGB(255, 255, 255);

// A square picture that starts fully transparent.
class Picture {
public:
    explicit Picture(int size) : frame_(gdi::makeFramebuffer(size, size, kBlack)), clear_(size * size, true) {}

    int size() const { return frame_->width(); }
    void set(int x, int y, COLORREF color) {
        if (!frame_->contains(x, y)) return;
        frame_->setPixel(x, y, color);
        clear_[static_cast<std::size_t>(y) * size() + x] = false;
    }
    // Paints every pixel whose centre lies inside a shape.
    void shape(const std::function<bool(double, double)>& inside, COLORREF color) {
        for (int y = 0; y < size(); ++y)
            for (int x = 0; x < size(); ++x)
                if (inside(x + 0.5, y + 0.5)) set(x, y, color);
    }
    void disc(double cx, double cy, double r, COLORREF color) {
        shape([&](double x, double y) { return (x - cx) * (x - cx) + (y - cy) * (y - cy) <= r * r; }, color);
    }
    void box(int left, int top, int right, int bottom, COLORREF color) {
        for (int y = top; y < bottom; ++y)
            for (int x = left; x < right; ++x) set(x, y, color);
    }
    // A band of width W along the segment from (x0, y0) to (x1, y1).
    void band(double x0, double y0, double x1, double y1, double w, COLORREF color) {
        shape(
            [&](double x, double y) {
                double dx = x1 - x0, dy = y1 - y0, length2 = dx * dx + dy * dy;
                double t = length2 > 0 ? ((x - x0) * dx + (y - y0) * dy) / length2 : 0;
                if (t < 0 || t > 1) return false;
                double px = x0 + t * dx - x, py = y0 + t * dy - y;
                return px * px + py * py <= w * w / 4;
            },
            color);
    }
    // Rows of characters: '#' black, '.' white, anything else transparent.
    void art(std::initializer_list<std::string_view> rows) {
        int y = 0;
        for (std::string_view row : rows) {
            for (int x = 0; x < static_cast<int>(row.size()); ++x) {
                if (row[x] == '#') set(x, y, kBlack);
                if (row[x] == '.') set(x, y, kWhite);
            }
            ++y;
        }
    }
    // A character in bold Arial centred in the picture (the symbol of a message box icon).
    void letter(const char* text, int height, COLORREF color) {
        auto scratch = gdi::makeFramebuffer(size(), size(), kWhite);
        HDC dc = gdi::createDc(scratch, POINT{0, 0}, gdi::boundsOf(*scratch));
        HFONT font = CreateFontA(height, 0, 0, 0, FW_BOLD, 0, 0, 0, 0, 0, 0, 0, 0, "Arial");
        HGDIOBJ previous = SelectObject(dc, font);
        SetBkMode(dc, TRANSPARENT);
        SetTextColor(dc, kBlack);
        RECT all{0, 0, size(), size()};
        DrawTextA(dc, text, -1, &all, DT_SINGLELINE | DT_CENTER | DT_VCENTER | DT_NOPREFIX);
        SelectObject(dc, previous);
        DeleteObject(font);
        gdi::releaseDc(dc);
        for (int y = 0; y < size(); ++y)
            for (int x = 0; x < size(); ++x)
                if (scratch->pixel(x, y) == kBlack) set(x, y, color);
    }
    gdi::Icon icon(POINT hotSpot = {0, 0}, bool cursor = false) const {
        gdi::Icon result;
        result.pixels = frame_;
        result.transparent = clear_;
        result.hotSpot = hotSpot;
        result.cursor = cursor;
        return result;
    }

private:
    gdi::FramebufferPtr frame_;
    std::vector<bool> clear_;
};

WORD numberOf(LPCSTR id) { return IS_INTRESOURCE(id) ? static_cast<WORD>(reinterpret_cast<ULONG_PTR>(id)) : 0; }

}  // namespace

std::optional<gdi::Icon> stockIcon(LPCSTR id) {
    Picture p(32);
    switch (numberOf(id)) {
    case 32513:  // hand: a red disc with a white cross
        p.disc(16, 16, 14.5, kBlack);
        p.disc(16, 16, 13.5, RGB(255, 0, 0));
        p.band(10, 10, 22, 22, 3, kWhite);
        p.band(22, 10, 10, 22, 3, kWhite);
        break;
    case 32515:  // exclamation: a yellow triangle with a black mark
        p.shape([](double x, double y) { return y >= 2 && y <= 30 && std::abs(x - 16) <= (y - 2) * 0.55 + 0.5; }, kBlack);
        p.shape([](double x, double y) { return y >= 4 && y <= 29 && std::abs(x - 16) <= (y - 4) * 0.55 - 0.5; },
                RGB(255, 255, 0));
        p.box(15, 11, 18, 22, kBlack);
        p.box(15, 24, 18, 27, kBlack);
        break;
    case 32516:  // asterisk (information): a white disc with a blue "i"
        p.disc(16, 16, 14.5, kBlack);
        p.disc(16, 16, 13.5, kWhite);
        p.letter("i", 24, RGB(0, 0, 255));
        break;
    case 32514:  // question: a white disc with a blue "?"
        p.disc(16, 16, 14.5, kBlack);
        p.disc(16, 16, 13.5, kWhite);
        p.letter("?", 24, RGB(0, 0, 255));
        break;
    case 32512:  // application: a window with a title bar
    case 32517:
        p.box(2, 4, 30, 28, kBlack);
        p.box(3, 5, 29, 27, kWhite);
        p.box(3, 5, 29, 9, RGB(0, 0, 128));
        break;
    default:
        return std::nullopt;
    }
    return p.icon();
}

std::optional<gdi::Icon> stockCursor(LPCSTR id) {
    Picture p(32);
    POINT hot{0, 0};
    switch (numberOf(id)) {
    case 32512:  // arrow
    case 32650:  // arrow while a program starts
        p.art({"#", "##", "#.#", "#..#", "#...#", "#....#", "#.....#", "#......#", "#.......#", "#........#",
               "#.....#####", "#..#..#", "#.# #..#", "##  #..#", "#    #..#", "     #..#", "      ##"});
        break;
    case 32513:  // text beam
        p.art({"###.###", "   #", "   #", "   #", "   #", "   #", "   #", "   #", "   #", "   #", "   #", "   #",
               "   #", "   #", "   #", "###.###"});
        hot = {3, 8};
        break;
    case 32514:  // hourglass
        p.art({"###########", "#.........#", " #.......#", " #.#####.#", "  #.###.#", "   #.#.#", "    #.#",
               "   #...#", "  #..#..#", " #...#...#", " #..###..#", "#.#######.#", "###########"});
        hot = {5, 6};
        break;
    case 32515:  // cross
        p.box(15, 4, 17, 28, kBlack);
        p.box(4, 15, 28, 17, kBlack);
        hot = {16, 16};
        break;
    case 32516:  // up arrow
        p.band(16, 4, 16, 28, 3, kBlack);
        p.band(16, 4, 10, 12, 3, kBlack);
        p.band(16, 4, 22, 12, 3, kBlack);
        hot = {16, 4};
        break;
    case 32642:  // sizing: north-west to south-east
        p.band(6, 6, 26, 26, 2, kBlack);
        hot = {16, 16};
        break;
    case 32643:  // north-east to south-west
        p.band(26, 6, 6, 26, 2, kBlack);
        hot = {16, 16};
        break;
    case 32644:  // west to east
        p.band(4, 16, 28, 16, 2, kBlack);
        hot = {16, 16};
        break;
    case 32645:  // north to south
        p.band(16, 4, 16, 28, 2, kBlack);
        hot = {16, 16};
        break;
    case 32646:  // all directions
        p.band(4, 16, 28, 16, 2, kBlack);
        p.band(16, 4, 16, 28, 2, kBlack);
        hot = {16, 16};
        break;
    case 32648:  // not allowed: a circle with a slash
        p.shape([](double x, double y) {
            double d = std::hypot(x - 16, y - 16);
            return d <= 11 && d >= 8;
        }, kBlack);
        p.band(9, 9, 23, 23, 3, kBlack);
        hot = {16, 16};
        break;
    default:
        return std::nullopt;
    }
    return p.icon(hot, true);
}

}  // namespace platform::rc
