#include "rc/compiler/script.h"

#include <algorithm>
#include <fstream>
#include <iterator>
#include <optional>

#include "rc/compiler/binary_writer.h"
#include "rc/compiler/preprocessor.h"
#include "win/styles.h"

namespace platform::rc {

namespace {

constexpr std::uint32_t kDialogDefaultStyle = WS_POPUP | WS_BORDER | WS_SYSMENU;

// A name-or-number field of a template together with its UTF-16 text.
struct Field {
    ResourceId id = ResourceId::of(0);
    std::u16string name;
    bool present = false;
};

struct Control {
    std::uint32_t style = 0;
    std::uint32_t exStyle = 0;
    std::uint32_t helpId = 0;
    std::int64_t x = 0, y = 0, cx = 0, cy = 0;
    std::int64_t id = 0;
    Field windowClass;
    Field text;
};

struct ControlKind {
    const char* keyword;
    std::uint16_t classAtom;
    std::uint32_t defaultStyle;
    enum Shape { Text, NoText, Icon } shape;
};

const ControlKind kControls[] = {
    {"LTEXT", 0x82, SS_LEFT | WS_GROUP, ControlKind::Text},
    {"CTEXT", 0x82, SS_CENTER | WS_GROUP, ControlKind::Text},
    {"RTEXT", 0x82, SS_RIGHT | WS_GROUP, ControlKind::Text},
    {"PUSHBUTTON", 0x80, BS_PUSHBUTTON | WS_TABSTOP, ControlKind::Text},
    {"DEFPUSHBUTTON", 0x80, BS_DEFPUSHBUTTON | WS_TABSTOP, ControlKind::Text},
    {"GROUPBOX", 0x80, BS_GROUPBOX, ControlKind::Text},
    {"CHECKBOX", 0x80, BS_CHECKBOX | WS_TABSTOP, ControlKind::Text},
    {"AUTOCHECKBOX", 0x80, BS_AUTOCHECKBOX | WS_TABSTOP, ControlKind::Text},
    {"RADIOBUTTON", 0x80, BS_RADIOBUTTON, ControlKind::Text},
    {"AUTORADIOBUTTON", 0x80, BS_AUTORADIOBUTTON, ControlKind::Text},
    {"EDITTEXT", 0x81, ES_LEFT | WS_BORDER | WS_TABSTOP, ControlKind::NoText},
    {"LISTBOX", 0x83, LBS_NOTIFY | WS_BORDER, ControlKind::NoText},
    {"ICON", 0x82, SS_ICON, ControlKind::Icon},
};

// The predefined window classes that templates name by number.
const std::pair<const char*, std::uint16_t> kClassAtoms[] = {
    {"BUTTON", 0x80}, {"EDIT", 0x81}, {"STATIC", 0x82}, {"LISTBOX", 0x83}, {"SCROLLBAR", 0x84}, {"COMBOBOX", 0x85},
};

const char* const kMemoryOptions[] = {"DISCARDABLE", "MOVEABLE", "FIXED",      "PURE",   "IMPURE",
                                      "PRELOAD",     "LOADONCALL", "SHARED", "NONSHARED"};

struct MenuItem {
    std::uint16_t flags = 0;
    std::uint16_t id = 0;
    std::u16string text;
    bool popup = false;
    std::vector<MenuItem> children;
};

std::vector<std::uint8_t> readFile(const std::filesystem::path& file, const Location& where) {
    std::ifstream in(file, std::ios::binary);
    if (!in) throw ScriptError(where, "cannot read " + file.string());
    return std::vector<std::uint8_t>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::uint32_t readU32(const std::vector<std::uint8_t>& data, std::size_t at) {
    return data[at] | (data[at + 1] << 8) | (data[at + 2] << 16) | (static_cast<std::uint32_t>(data[at + 3]) << 24);
}
std::uint16_t readU16(const std::vector<std::uint8_t>& data, std::size_t at) {
    return static_cast<std::uint16_t>(data[at] | (data[at + 1] << 8));
}

class Parser {
public:
    Parser(const std::filesystem::path& script, const CompileOptions& options) : pp_(script, options.includeDirs) {}

    CompiledScript run() {
        while (pp_.peek().kind != TokenKind::End) statement();
        CompiledScript result;
        result.resources = std::move(resources_);
        result.files = pp_.filesRead();
        result.files.insert(result.files.end(), dataFiles_.begin(), dataFiles_.end());
        return result;
    }

private:
    // ----- tokens -----
    Token next() { return pp_.next(); }
    const Token& peek() { return pp_.peek(); }
    [[noreturn]] void fail(const Token& at, const std::string& what) { throw ScriptError(at.where, what); }
    void expectPunct(const char* punct) {
        Token t = next();
        if (!t.isPunct(punct)) fail(t, std::string("expected '") + punct + "' but found " + describe(t));
    }
    bool acceptPunct(const char* punct) {
        if (!peek().isPunct(punct)) return false;
        next();
        return true;
    }
    bool acceptKeyword(const char* word) {
        if (!peek().isKeyword(word)) return false;
        next();
        return true;
    }
    bool atBegin() { return peek().isKeyword("BEGIN") || peek().isPunct("{"); }
    bool atEnd() { return peek().isKeyword("END") || peek().isPunct("}"); }
    void expectBegin() {
        Token t = next();
        if (!t.isKeyword("BEGIN") && !t.isPunct("{")) fail(t, "expected BEGIN but found " + describe(t));
    }
    std::string expectString() {
        Token t = next();
        if (t.kind != TokenKind::String) fail(t, "expected a text in quotes but found " + describe(t));
        return t.text;
    }
    std::u16string utf16(const Token& at, const std::string& text) {
        std::u16string out;
        if (!toUtf16(text, out)) fail(at, "text is not UTF-8: \"" + text + "\"");
        return out;
    }

    // ----- numbers -----
    std::int64_t primary() {
        Token t = next();
        if (t.kind == TokenKind::Number) return t.number;
        if (t.isPunct("-")) return -primary();
        if (t.isPunct("+")) return primary();
        if (t.isPunct("~")) return ~primary() & 0xFFFFFFFFLL;
        if (t.isPunct("(")) {
            std::int64_t value = expression();
            expectPunct(")");
            return value;
        }
        if (t.kind == TokenKind::Identifier) fail(t, "unknown name " + t.text + " (not #define'd)");
        fail(t, "expected a number but found " + describe(t));
    }
    std::int64_t product() {
        std::int64_t value = primary();
        while (peek().isPunct("*") || peek().isPunct("/")) {
            Token op = next();
            std::int64_t right = primary();
            if (op.isPunct("/") && right == 0) fail(op, "division by zero");
            value = op.isPunct("*") ? value * right : value / right;
        }
        return value;
    }
    std::int64_t sum() {
        std::int64_t value = product();
        while (peek().isPunct("+") || peek().isPunct("-")) {
            Token op = next();
            std::int64_t right = product();
            value = op.isPunct("+") ? value + right : value - right;
        }
        return value;
    }
    std::int64_t conjunction() {
        std::int64_t value = sum();
        while (acceptPunct("&")) value &= sum();
        return value;
    }
    std::int64_t expression() {
        std::int64_t value = conjunction();
        while (acceptPunct("|")) value |= conjunction();
        return value;
    }
    std::int64_t coordinate() {
        const Token at = peek();
        std::int64_t value = expression();
        if (value < -32768 || value > 32767) fail(at, "value " + std::to_string(value) + " does not fit a dialog unit");
        return value;
    }
    // A style: terms joined by '|' that are added to BASE, or taken away from it after NOT.
    std::uint32_t style(std::uint32_t base) {
        std::uint32_t value = base;
        do {
            bool remove = acceptKeyword("NOT");
            auto term = static_cast<std::uint32_t>(conjunction());
            value = remove ? value & ~term : value | term;
        } while (acceptPunct("|"));
        return value;
    }

    // ----- names -----
    ResourceId resourceName(const Token& t) {
        if (t.kind == TokenKind::Number) {
            if (t.number < 0 || t.number > 0xFFFF) fail(t, "resource number " + t.text + " out of range");
            return ResourceId::of(static_cast<std::uint16_t>(t.number));
        }
        if (t.kind == TokenKind::Identifier || t.kind == TokenKind::String) {
            if (t.text.empty()) fail(t, "empty resource name");
            return ResourceId::named(t.text);
        }
        fail(t, "expected a resource name but found " + describe(t));
    }
    Field nameField(const Token& t) {
        Field field;
        field.present = true;
        field.id = resourceName(t);
        if (!field.id.isNumber) field.name = utf16(t, field.id.name);
        return field;
    }
    void add(const Token& at, ResourceId type, ResourceId name, std::vector<std::uint8_t> data) {
        for (const Resource& existing : resources_)
            if (existing.type == type && existing.name == name)
                fail(at, "resource " + (name.isNumber ? std::to_string(name.number) : name.name) + " is defined twice");
        resources_.push_back(Resource{std::move(type), std::move(name), std::move(data)});
    }

    // ----- statements -----
    static bool isOperator(const Token& t) {
        return t.isPunct("+") || t.isPunct("-") || t.isPunct("*") || t.isPunct("/") || t.isPunct("|") || t.isPunct("&");
    }
    // A resource number written as an expression, such as a #define'd "(BASE + 1)".
    ResourceId numberedName(const Token& at, std::int64_t start) {
        std::int64_t value = start;
        while (isOperator(peek())) {
            Token op = next();
            std::int64_t right = primary();
            if (op.isPunct("+")) value += right;
            else if (op.isPunct("-")) value -= right;
            else if (op.isPunct("*")) value *= right;
            else if (op.isPunct("|")) value |= right;
            else if (op.isPunct("&")) value &= right;
            else if (right == 0) fail(op, "division by zero");
            else value /= right;
        }
        if (value < 0 || value > 0xFFFF) fail(at, "resource number " + std::to_string(value) + " out of range");
        return ResourceId::of(static_cast<std::uint16_t>(value));
    }

    void statement() {
        if (peek().isPunct("(")) {
            Token at = peek();
            ResourceId name = numberedName(at, primary());
            resourceBody(at, name);
            return;
        }
        Token first = next();
        if (first.isKeyword("LANGUAGE")) {
            expression();
            expectPunct(",");
            expression();
            return;
        }
        if (first.isKeyword("STRINGTABLE") || first.isKeyword("ACCELERATORS"))
            fail(first, first.text + " resources are not supported");
        ResourceId name = resourceName(first);
        if (first.kind == TokenKind::Number && isOperator(peek())) name = numberedName(first, first.number);
        resourceBody(first, name);
    }

    void resourceBody(const Token& first, const ResourceId& name) {
        Token type = next();
        while (std::any_of(std::begin(kMemoryOptions), std::end(kMemoryOptions),
                           [&](const char* option) { return peek().isKeyword(option); }))
            next();
        if (type.isKeyword("DIALOG")) dialog(first, name, false);
        else if (type.isKeyword("DIALOGEX")) dialog(first, name, true);
        else if (type.isKeyword("MENU")) menu(first, name);
        else if (type.isKeyword("ICON")) icon(first, name);
        else if (type.isKeyword("BITMAP")) bitmap(first, name);
        else fail(type, "unknown or unsupported resource type " + describe(type));
    }

    void dialog(const Token& at, const ResourceId& name, bool extended) {
        std::int64_t x = coordinate();
        expectPunct(",");
        std::int64_t y = coordinate();
        expectPunct(",");
        std::int64_t cx = coordinate();
        expectPunct(",");
        std::int64_t cy = coordinate();
        std::uint32_t helpId = 0;
        if (extended && acceptPunct(",")) helpId = static_cast<std::uint32_t>(expression());

        std::optional<std::uint32_t> dialogStyle;
        std::uint32_t exStyle = 0;
        std::u16string caption;
        Field menuName, className;
        std::optional<std::pair<std::int64_t, std::u16string>> font;
        std::int64_t weight = 0, italic = 0, charset = 1;
        while (!atBegin()) {
            Token option = next();
            if (option.isKeyword("STYLE")) {
                dialogStyle = style(0);
            } else if (option.isKeyword("EXSTYLE")) {
                exStyle = static_cast<std::uint32_t>(expression());
            } else if (option.isKeyword("CAPTION")) {
                Token text = peek();
                caption = utf16(text, expectString());
            } else if (option.isKeyword("FONT")) {
                std::int64_t points = expression();
                expectPunct(",");
                Token face = peek();
                font.emplace(points, utf16(face, expectString()));
                if (acceptPunct(",")) {
                    weight = expression();
                    if (acceptPunct(",")) {
                        italic = expression();
                        if (acceptPunct(",")) charset = expression();
                    }
                }
                if (!extended && weight != 0) fail(option, "FONT weight and italic need DIALOGEX");
            } else if (option.isKeyword("MENU")) {
                menuName = nameField(next());
            } else if (option.isKeyword("CLASS")) {
                className = nameField(next());
            } else if (option.isKeyword("LANGUAGE")) {
                expression();
                expectPunct(",");
                expression();
            } else if (option.isKeyword("CHARACTERISTICS") || option.isKeyword("VERSION")) {
                expression();
            } else {
                fail(option, "unknown dialog statement " + describe(option));
            }
        }
        expectBegin();
        std::vector<Control> controls;
        while (!atEnd()) controls.push_back(control(extended));
        next();

        std::uint32_t finalStyle = dialogStyle.value_or(kDialogDefaultStyle);
        if (font) finalStyle |= DS_SETFONT;
        BinaryWriter out;
        if (extended) {
            out.word(1);
            out.word(0xFFFF);
            out.dword(helpId);
            out.dword(exStyle);
            out.dword(finalStyle);
        } else {
            out.dword(finalStyle);
            out.dword(exStyle);
        }
        if (controls.size() > 0xFFFF) fail(at, "too many controls");
        out.word(static_cast<std::uint16_t>(controls.size()));
        for (std::int64_t v : {x, y, cx, cy}) out.word(static_cast<std::uint16_t>(v));
        writeField(out, menuName);
        writeField(out, className);
        out.text(caption);
        if (font) {
            out.word(static_cast<std::uint16_t>(font->first));
            if (extended) {
                out.word(static_cast<std::uint16_t>(weight));
                out.byte(static_cast<std::uint8_t>(italic));
                out.byte(static_cast<std::uint8_t>(charset));
            }
            out.text(font->second);
        }
        for (const Control& c : controls) {
            out.alignTo(4);
            if (extended) {
                out.dword(c.helpId);
                out.dword(c.exStyle);
                out.dword(c.style);
            } else {
                out.dword(c.style);
                out.dword(c.exStyle);
            }
            for (std::int64_t v : {c.x, c.y, c.cx, c.cy}) out.word(static_cast<std::uint16_t>(v));
            if (extended) out.dword(static_cast<std::uint32_t>(c.id));
            else out.word(static_cast<std::uint16_t>(c.id));
            writeField(out, c.windowClass);
            writeField(out, c.text);
            out.word(0);  // no creation data
        }
        add(at, ResourceId::of(kTypeDialog), name, out.take());
    }

    static void writeField(BinaryWriter& out, const Field& field) {
        if (!field.present) out.word(0);
        else out.nameOrNumber(field.id, field.name);
    }

    Control control(bool extended) {
        Token keyword = next();
        Control c;
        if (keyword.isKeyword("CONTROL")) {
            Token text = next();
            c.text = textField(text);
            expectPunct(",");
            c.id = controlId();
            expectPunct(",");
            c.windowClass = classField(next());
            expectPunct(",");
            c.style = style(WS_CHILD | WS_VISIBLE);
            expectPunct(",");
            position(c);
            trailing(c, extended, false);
            return c;
        }
        const ControlKind* kind = nullptr;
        for (const ControlKind& k : kControls)
            if (keyword.isKeyword(k.keyword)) kind = &k;
        if (!kind) fail(keyword, "unknown control " + describe(keyword));
        c.windowClass.present = true;
        c.windowClass.id = ResourceId::of(kind->classAtom);
        c.style = WS_CHILD | WS_VISIBLE | kind->defaultStyle;
        if (kind->shape == ControlKind::Text) {
            Token text = next();
            if (text.kind != TokenKind::String) fail(text, "expected the control's text in quotes but found " + describe(text));
            c.text = textField(text);
            expectPunct(",");
        } else if (kind->shape == ControlKind::Icon) {
            Token icon = next();
            c.text = icon.kind == TokenKind::Number ? nameField(icon) : textField(icon);
            expectPunct(",");
        } else {
            c.text.present = true;
            c.text.id = ResourceId::named("");
        }
        c.id = controlId();
        expectPunct(",");
        if (kind->shape == ControlKind::Icon) {
            c.x = coordinate();
            expectPunct(",");
            c.y = coordinate();
            if (acceptPunct(",")) {
                c.cx = coordinate();
                expectPunct(",");
                c.cy = coordinate();
                trailing(c, extended, true);
            }
            return c;
        }
        position(c);
        trailing(c, extended, true);
        return c;
    }
    std::int64_t controlId() {
        const Token at = peek();
        std::int64_t id = expression();
        if (id < -32768 || id > 0xFFFF) fail(at, "control identifier " + std::to_string(id) + " out of range");
        return id;
    }
    void position(Control& c) {
        c.x = coordinate();
        expectPunct(",");
        c.y = coordinate();
        expectPunct(",");
        c.cx = coordinate();
        expectPunct(",");
        c.cy = coordinate();
    }
    // [, style] [, extended style] [, help identifier]
    void trailing(Control& c, bool extended, bool withStyle) {
        if (withStyle && acceptPunct(",")) c.style = style(c.style);
        if (acceptPunct(",")) c.exStyle = static_cast<std::uint32_t>(expression());
        if (extended && acceptPunct(",")) c.helpId = static_cast<std::uint32_t>(expression());
    }
    Field textField(const Token& t) {
        Field field;
        field.present = true;
        if (t.kind == TokenKind::Number) return nameField(t);
        if (t.kind != TokenKind::String && t.kind != TokenKind::Identifier)
            fail(t, "expected a text but found " + describe(t));
        field.id = ResourceId{false, 0, t.text};
        field.name = utf16(t, t.text);
        return field;
    }
    Field classField(const Token& t) {
        if (t.kind != TokenKind::String && t.kind != TokenKind::Identifier)
            fail(t, "expected a window class but found " + describe(t));
        Field field;
        field.present = true;
        ResourceId upper = ResourceId::named(t.text);
        for (const auto& [className, atom] : kClassAtoms)
            if (upper.name == className) {
                field.id = ResourceId::of(atom);
                return field;
            }
        field.id = ResourceId{false, 0, t.text};
        field.name = utf16(t, t.text);
        return field;
    }

    void menu(const Token& at, const ResourceId& name) {
        std::vector<MenuItem> items = menuItems();
        BinaryWriter out;
        out.word(0);
        out.word(0);
        writeMenuItems(out, items);
        add(at, ResourceId::of(kTypeMenu), name, out.take());
    }
    std::vector<MenuItem> menuItems() {
        expectBegin();
        std::vector<MenuItem> items;
        while (!atEnd()) {
            Token keyword = next();
            MenuItem item;
            if (keyword.isKeyword("POPUP")) {
                Token text = peek();
                item.text = utf16(text, expectString());
                item.popup = true;
                item.flags = static_cast<std::uint16_t>(MF_POPUP_FLAG | menuOptions());
                item.children = menuItems();
                if (item.children.empty()) fail(keyword, "POPUP without items");
            } else if (keyword.isKeyword("MENUITEM")) {
                if (acceptKeyword("SEPARATOR")) {
                    items.push_back(item);
                    continue;
                }
                Token text = peek();
                item.text = utf16(text, expectString());
                expectPunct(",");
                std::int64_t id = controlId();
                item.id = static_cast<std::uint16_t>(id);
                item.flags = static_cast<std::uint16_t>(menuOptions());
            } else {
                fail(keyword, "expected POPUP or MENUITEM but found " + describe(keyword));
            }
            items.push_back(std::move(item));
        }
        next();
        return items;
    }
    std::uint32_t menuOptions() {
        static const std::pair<const char*, std::uint32_t> kOptions[] = {
            {"CHECKED", 0x0008}, {"GRAYED", 0x0001}, {"INACTIVE", 0x0002},
            {"MENUBARBREAK", 0x0020}, {"MENUBREAK", 0x0040}, {"HELP", 0x4000}};
        std::uint32_t flags = 0;
        while (true) {
            acceptPunct(",");
            bool found = false;
            for (const auto& [word, flag] : kOptions)
                if (acceptKeyword(word)) {
                    flags |= flag;
                    found = true;
                }
            if (!found) return flags;
        }
    }
    static constexpr std::uint16_t MF_POPUP_FLAG = 0x0010;
    static constexpr std::uint16_t MF_END_FLAG = 0x0080;
    void writeMenuItems(BinaryWriter& out, const std::vector<MenuItem>& items) {
        for (std::size_t i = 0; i < items.size(); ++i) {
            const MenuItem& item = items[i];
            auto flags = static_cast<std::uint16_t>(item.flags | (i + 1 == items.size() ? MF_END_FLAG : 0));
            out.word(flags);
            if (!item.popup) out.word(item.id);
            out.text(item.text);
            if (item.popup) writeMenuItems(out, item.children);
        }
    }

    std::filesystem::path dataFile(Token& fileToken) {
        fileToken = next();
        if (fileToken.kind != TokenKind::String && fileToken.kind != TokenKind::Identifier)
            fail(fileToken, "expected a file name but found " + describe(fileToken));
        std::filesystem::path file = pp_.findFile(fileToken.text, fileToken.where);
        dataFiles_.push_back(file);
        return file;
    }

    void icon(const Token& at, const ResourceId& name) {
        Token fileToken;
        std::filesystem::path file = dataFile(fileToken);
        std::vector<std::uint8_t> data = readFile(file, fileToken.where);
        auto bad = [&](const std::string& what) { fail(fileToken, file.string() + ": " + what); };
        if (data.size() < 6 || readU16(data, 0) != 0 || readU16(data, 2) != 1) bad("not an icon file");
        std::uint16_t count = readU16(data, 4);
        if (count == 0) bad("icon file without images");
        if (data.size() < 6 + 16u * count) bad("icon directory runs past the end of the file");
        BinaryWriter group;
        group.word(0);
        group.word(1);
        group.word(count);
        for (std::uint16_t i = 0; i < count; ++i) {
            std::size_t entry = 6 + 16u * i;
            std::uint32_t size = readU32(data, entry + 8);
            std::uint32_t offset = readU32(data, entry + 12);
            if (offset > data.size() || size > data.size() - offset || size < 40)
                bad("icon image " + std::to_string(i) + " runs past the end of the file");
            if (readU32(data, offset) != 40) bad("icon image " + std::to_string(i) + " is not a bitmap (compressed images are not supported)");
            if (nextIconId_ == 0xFFFF) fail(at, "too many icon images");
            std::uint16_t id = nextIconId_++;
            add(at, ResourceId::of(kTypeIcon), ResourceId::of(id),
                std::vector<std::uint8_t>(data.begin() + offset, data.begin() + offset + size));
            for (std::size_t k = 0; k < 12; ++k) group.byte(data[entry + k]);  // size, colours, planes, depth, bytes
            group.word(id);
        }
        add(at, ResourceId::of(kTypeGroupIcon), name, group.take());
    }

    void bitmap(const Token& at, const ResourceId& name) {
        Token fileToken;
        std::filesystem::path file = dataFile(fileToken);
        std::vector<std::uint8_t> data = readFile(file, fileToken.where);
        auto bad = [&](const std::string& what) { fail(fileToken, file.string() + ": " + what); };
        if (data.size() < 14 + 40 || data[0] != 'B' || data[1] != 'M') bad("not a BMP file");
        std::uint32_t headerSize = readU32(data, 14);
        if (headerSize < 40 || 14 + headerSize > data.size()) bad("bitmap header is not an information header");
        std::uint16_t bits = readU16(data, 14 + 14);
        std::uint32_t used = readU32(data, 14 + 32);
        std::size_t colors = used ? used : bits <= 8 ? (1u << bits) : 0;
        std::size_t tableEnd = 14 + headerSize + 4 * colors;
        std::uint32_t pixels = readU32(data, 10);
        if (tableEnd > data.size() || pixels < tableEnd || pixels > data.size()) bad("bitmap data runs past the end of the file");
        // The resource is the header, the colour table and the pixels, without the file header
        // and without any gap before the pixels.
        std::vector<std::uint8_t> dib(data.begin() + 14, data.begin() + static_cast<std::ptrdiff_t>(tableEnd));
        dib.insert(dib.end(), data.begin() + pixels, data.end());
        add(at, ResourceId::of(kTypeBitmap), name, std::move(dib));
    }

    Preprocessor pp_;
    std::vector<Resource> resources_;
    std::vector<std::filesystem::path> dataFiles_;
    std::uint16_t nextIconId_ = 1;
};

}  // namespace

CompiledScript compileScript(const std::filesystem::path& script, const CompileOptions& options) {
    return Parser(script, options).run();
}

}  // namespace platform::rc
