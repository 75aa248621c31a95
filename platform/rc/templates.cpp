#include "rc/templates.h"

#include "kernel/text.h"

namespace platform::rc {

namespace {

std::string toUtf8(std::u16string_view text) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        char32_t ch = text[i];
        if (ch >= 0xD800 && ch <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 && text[i + 1] <= 0xDFFF) {
            ch = 0x10000 + ((ch - 0xD800) << 10) + (text[++i] - 0xDC00);
        } else if (ch >= 0xD800 && ch <= 0xDFFF) {
            ch = 0xFFFD;
        }
        if (ch < 0x80) {
            out += static_cast<char>(ch);
        } else if (ch < 0x800) {
            out += static_cast<char>(0xC0 | (ch >> 6));
            out += static_cast<char>(0x80 | (ch & 0x3F));
        } else if (ch < 0x10000) {
            out += static_cast<char>(0xE0 | (ch >> 12));
            out += static_cast<char>(0x80 | ((ch >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (ch & 0x3F));
        } else {
            out += static_cast<char>(0xF0 | (ch >> 18));
            out += static_cast<char>(0x80 | ((ch >> 12) & 0x3F));
            out += static_cast<char>(0x80 | ((ch >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (ch & 0x3F));
        }
    }
    return out;
}

// Reads the binary layout front to back; any read past the end marks the reader as failed.
class Reader {
public:
    Reader(std::span<const BYTE> data, int codePage) : data_(data), codePage_(codePage) {}

    bool ok() const { return ok_; }
    std::size_t offset() const { return at_; }
    bool atEnd() const { return at_ >= data_.size(); }

    BYTE byte() {
        if (at_ + 1 > data_.size()) return fail();
        return data_[at_++];
    }
    WORD word() {
        if (at_ + 2 > data_.size()) return fail();
        WORD value = static_cast<WORD>(data_[at_] | (data_[at_ + 1] << 8));
        at_ += 2;
        return value;
    }
    DWORD dword() {
        WORD low = word();
        return low | (static_cast<DWORD>(word()) << 16);
    }
    short coordinate() { return static_cast<short>(word()); }
    std::string text() {
        std::u16string value;
        while (ok_) {
            WORD ch = word();
            if (!ok_ || ch == 0) break;
            value.push_back(static_cast<char16_t>(ch));
        }
        return fromUtf16(value, codePage_);
    }
    TemplateField field() {
        TemplateField f;
        if (at_ + 2 > data_.size()) {
            fail();
            return f;
        }
        WORD first = static_cast<WORD>(data_[at_] | (data_[at_ + 1] << 8));
        if (first == 0) {
            at_ += 2;
            return f;
        }
        f.present = true;
        if (first == 0xFFFF) {
            at_ += 2;
            f.isNumber = true;
            f.number = word();
            return f;
        }
        f.text = text();
        return f;
    }
    void alignTo(std::size_t boundary) {
        while (at_ % boundary) ++at_;
        if (at_ > data_.size()) fail();
    }
    std::vector<BYTE> bytes(std::size_t count) {
        if (at_ + count > data_.size()) {
            fail();
            return {};
        }
        std::vector<BYTE> out(data_.begin() + static_cast<std::ptrdiff_t>(at_),
                              data_.begin() + static_cast<std::ptrdiff_t>(at_ + count));
        at_ += count;
        return out;
    }

private:
    int fail() {
        ok_ = false;
        at_ = data_.size();
        return 0;
    }

    std::span<const BYTE> data_;
    int codePage_;
    std::size_t at_ = 0;
    bool ok_ = true;
};

constexpr DWORD kSetFont = 0x40;  // DS_SETFONT
constexpr WORD kPopup = 0x10;     // MF_POPUP
constexpr WORD kEnd = 0x80;       // MF_END

bool readMenuItems(Reader& in, std::vector<MenuTemplateItem>& items, int depth) {
    if (depth > 16) return false;
    while (true) {
        MenuTemplateItem item;
        WORD flags = in.word();
        item.flags = static_cast<WORD>(flags & ~kEnd);
        if (!(flags & kPopup)) item.id = in.word();
        item.text = in.text();
        if (!in.ok()) return false;
        if ((flags & kPopup) && !readMenuItems(in, item.children, depth + 1)) return false;
        items.push_back(std::move(item));
        if (flags & kEnd) return true;
    }
}

}  // namespace

std::string fromUtf16(std::u16string_view text, int codePage) { return text::fromUtf8(toUtf8(text), codePage); }

std::optional<DialogTemplate> parseDialogTemplate(std::span<const BYTE> data, int codePage, std::string& error) {
    Reader in(data, codePage);
    DialogTemplate dialog;
    dialog.extended = data.size() >= 4 && data[0] == 1 && data[1] == 0 && data[2] == 0xFF && data[3] == 0xFF;
    if (dialog.extended) {
        in.dword();  // version and signature
        dialog.helpId = in.dword();
        dialog.exStyle = in.dword();
        dialog.style = in.dword();
    } else {
        dialog.style = in.dword();
        dialog.exStyle = in.dword();
    }
    WORD count = in.word();
    dialog.x = in.coordinate();
    dialog.y = in.coordinate();
    dialog.cx = in.coordinate();
    dialog.cy = in.coordinate();
    dialog.menu = in.field();
    dialog.windowClass = in.field();
    dialog.title = in.text();
    if (dialog.style & kSetFont) {
        dialog.hasFont = true;
        dialog.pointSize = in.word();
        if (dialog.extended) {
            dialog.weight = in.word();
            dialog.italic = in.byte() != 0;
            dialog.charSet = in.byte();
        }
        dialog.face = in.text();
    }
    for (WORD i = 0; i < count && in.ok(); ++i) {
        in.alignTo(4);
        DialogItem item;
        if (dialog.extended) {
            item.helpId = in.dword();
            item.exStyle = in.dword();
            item.style = in.dword();
        } else {
            item.style = in.dword();
            item.exStyle = in.dword();
        }
        item.x = in.coordinate();
        item.y = in.coordinate();
        item.cx = in.coordinate();
        item.cy = in.coordinate();
        item.id = dialog.extended ? static_cast<int>(in.dword()) : static_cast<short>(in.word());
        item.windowClass = in.field();
        item.text = in.field();
        WORD extra = in.word();
        item.creationData = in.bytes(extra);
        dialog.items.push_back(std::move(item));
    }
    if (!in.ok()) {
        error = "dialog template cut short";
        return std::nullopt;
    }
    return dialog;
}

std::optional<std::vector<MenuTemplateItem>> parseMenuTemplate(std::span<const BYTE> data, int codePage,
                                                              std::string& error) {
    Reader in(data, codePage);
    WORD version = in.word();
    WORD headerSize = in.word();
    if (!in.ok() || version != 0) {
        error = "not a menu template";
        return std::nullopt;
    }
    in.bytes(headerSize);
    std::vector<MenuTemplateItem> items;
    if (!readMenuItems(in, items, 0)) {
        error = "menu template cut short";
        return std::nullopt;
    }
    return items;
}

}  // namespace platform::rc
