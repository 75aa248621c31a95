// The sample script compiled at build time, read back through the resource functions.
#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "gdi/device_context.h"
#include "rc/templates.h"
#include "sample_ids.h"
#include "win/gdi.h"
#include "win/kernel.h"
#include "win/resource.h"

namespace platform::rc {
namespace {

const HINSTANCE kProgram = reinterpret_cast<HINSTANCE>(0x400000);

std::span<const BYTE> load(LPCSTR name, LPCSTR type) {
    HRSRC found = FindResourceA(kProgram, name, type);
    if (!found) return {};
    return std::span(static_cast<const BYTE*>(LockResource(LoadResource(kProgram, found))),
                     SizeofResource(kProgram, found));
}

DialogTemplate dialog(LPCSTR name) {
    std::string error;
    auto parsed = parseDialogTemplate(load(name, RT_DIALOG), 949, error);
    EXPECT_TRUE(parsed) << error;
    return parsed.value_or(DialogTemplate{});
}

WORD wordAt(std::span<const BYTE> data, std::size_t at) { return static_cast<WORD>(data[at] | (data[at + 1] << 8)); }
DWORD dwordAt(std::span<const BYTE> data, std::size_t at) { return wordAt(data, at) | (DWORD{wordAt(data, at + 2)} << 16); }

TEST(Resources, DialogHasTheDocumentedBinaryLayout) {
    std::span<const BYTE> data = load("EXECPATH", RT_DIALOG);
    ASSERT_FALSE(data.empty());
    auto* header = reinterpret_cast<const DLGTEMPLATE*>(data.data());
    EXPECT_EQ(header->style, DWORD(WS_POPUP | DS_SETFONT));
    EXPECT_EQ(header->dwExtendedStyle, 0u);
    EXPECT_EQ(header->cdit, 8);
    EXPECT_EQ(header->cx, 190);
    EXPECT_EQ(header->cy, 110);
    // No menu, the default class, an empty title, then the font: 10 points, "Arial".
    EXPECT_EQ(wordAt(data, 18), 0);
    EXPECT_EQ(wordAt(data, 20), 0);
    EXPECT_EQ(wordAt(data, 22), 0);
    EXPECT_EQ(wordAt(data, 24), 10);
    const char16_t arial[] = u"Arial";
    for (int i = 0; i < 6; ++i) EXPECT_EQ(wordAt(data, 26 + 2 * i), arial[i]);
    // The first item starts on the next 4-byte boundary: 26 + 12 = 38 -> 40.
    auto* item = reinterpret_cast<const DLGITEMTEMPLATE*>(data.data() + 40);
    EXPECT_EQ(item->style, DWORD(WS_CHILD | WS_VISIBLE | SS_CENTER | WS_GROUP));
    EXPECT_EQ(item->x, 35);
    EXPECT_EQ(item->y, 3);
    EXPECT_EQ(item->cx, 118);
    EXPECT_EQ(item->cy, 8);
    EXPECT_EQ(item->id, IDC_TITLE);
    EXPECT_EQ(wordAt(data, 58), 0xFFFF);  // class by number: static
    EXPECT_EQ(wordAt(data, 60), 0x0082);
    EXPECT_EQ(wordAt(data, 62), u'I');
}

TEST(Resources, DialogsReadBackWithTheirControls) {
    struct Item {
        int id;
        WORD classAtom;
        short x, y, cx, cy;
        DWORD style;
        const char* text;
    };
    const DWORD child = WS_CHILD | WS_VISIBLE;
    struct Case {
        const char* name;
        DWORD style;
        const char* title;
        const char* face;
        WORD points;
        std::vector<Item> items;
    } cases[] = {
        {"EXECPATH", WS_POPUP | DS_SETFONT, "", "Arial", 10,
         {{109, 0x82, 35, 3, 118, 8, child | SS_CENTER | WS_GROUP, "Installation"},
          {-1, 0x82, 10, 22, 163, 17, child | SS_LEFT | WS_GROUP,
           "Please enter the path and Program Group name that you want the software installed to:"},
          {-1, 0x82, 7, 49, 44, 10, child | WS_GROUP, "Path Name :"},
          {111, 0x81, 53, 47, 128, 13, child | WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL, ""},
          {-1, 0x82, 7, 69, 44, 10, child | WS_GROUP, "Group Name :"},
          {112, 0x81, 53, 69, 128, 13, child | WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL, ""},
          {1, 0x80, 30, 89, 55, 14, child | BS_DEFPUSHBUTTON | WS_TABSTOP, "OK"},
          {2, 0x80, 111, 89, 55, 14, child | BS_PUSHBUTTON | WS_TABSTOP, "CANCEL"}}},
        {"FILECOPY", WS_POPUP | DS_SETFONT, "", "Arial", 10,
         {{119, 0x82, 14, 62, 168, 12, child | SS_CENTER | WS_GROUP | WS_BORDER, "0 %"},
          {2, 0x80, 70, 79, 55, 14, child | WS_TABSTOP, "CANCEL"}}},
        {"REBOOTDLG", WS_POPUP | DS_SETFONT, "", "Arial", 10,
         {{-1, 0x82, 10, 15, 184, 40, child | SS_CENTER | WS_GROUP,
           "Setup is completed. You must restart your computer for installation program to work correctly. "
           "Do you want to restart your computer now ?"},
          {1, 0x80, 35, 56, 50, 12, child | BS_DEFPUSHBUTTON | WS_TABSTOP, "Yes"},
          {2, 0x80, 115, 56, 50, 12, child | WS_TABSTOP, "No"}}},
        {"INSTDOSWINCLASS", WS_POPUP | WS_VISIBLE | DS_MODALFRAME | DS_SETFONT, "", "Arial", 12,
         {{1000, 0x83, 0, 0, 0, 0, child | WS_BORDER | LBS_NOTIFY, ""}}},
        {"aboutbox", DS_MODALFRAME | WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_SETFONT, "About Remote Controller", "System", 8,
         {{-1, 0x82, 10, 8, 18, 20, child | SS_ICON, "RCV707"},
          {-1, 0x82, 40, 10, 100, 8, child | WS_GROUP, " Remote Controller VER 2.0"},
          {1, 0x80, 56, 70, 32, 14, child | BS_DEFPUSHBUTTON | WS_TABSTOP | WS_GROUP, "OK"},
          {300, 0x82, 4, 60, 140, 1, WS_CHILD | SS_BLACKFRAME, ""}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        DialogTemplate d = dialog(c.name);
        EXPECT_FALSE(d.extended);
        EXPECT_EQ(d.style, c.style);
        EXPECT_EQ(d.title, c.title);
        EXPECT_TRUE(d.hasFont);
        EXPECT_EQ(d.face, c.face);
        EXPECT_EQ(d.pointSize, c.points);
        ASSERT_EQ(d.items.size(), c.items.size());
        for (std::size_t i = 0; i < c.items.size(); ++i) {
            const Item& want = c.items[i];
            const DialogItem& got = d.items[i];
            SCOPED_TRACE(want.text);
            EXPECT_EQ(got.id, want.id);
            EXPECT_TRUE(got.windowClass.isNumber);
            EXPECT_EQ(got.windowClass.number, want.classAtom);
            EXPECT_EQ(got.x, want.x);
            EXPECT_EQ(got.y, want.y);
            EXPECT_EQ(got.cx, want.cx);
            EXPECT_EQ(got.cy, want.cy);
            EXPECT_EQ(got.style, want.style);
            EXPECT_EQ(got.text.text, want.text);
        }
    }
}

TEST(Resources, ExtendedDialogKeepsItsExtraFields) {
    DialogTemplate d = dialog("Extended");
    EXPECT_TRUE(d.extended);
    EXPECT_EQ(d.helpId, 77u);
    EXPECT_EQ(d.exStyle, DWORD(WS_EX_TOPMOST));
    EXPECT_EQ(d.title, "Extended");
    EXPECT_EQ(d.weight, 700);
    EXPECT_TRUE(d.italic);
    EXPECT_EQ(d.charSet, 129);
    ASSERT_EQ(d.items.size(), 2u);
    EXPECT_EQ(d.items[0].windowClass.number, 0x80);
    EXPECT_EQ(d.items[0].helpId, 55u);
    EXPECT_EQ(d.items[0].style, DWORD(WS_CHILD | WS_VISIBLE | BS_DEFPUSHBUTTON | WS_TABSTOP));
    EXPECT_EQ(d.items[1].id, 5);
}

TEST(Resources, KoreanTextsBecomeCodePage949Bytes) {
    DialogTemplate d = dialog("HEXECPATH");
    ASSERT_EQ(d.items.size(), 1u);
    // "설치하기 " in code page 949.
    EXPECT_EQ(d.items[0].text.text.substr(0, 9), "\xBC\xB3\xC4\xA1\xC7\xCF\xB1\xE2 ");

    std::string error;
    auto menu = parseMenuTemplate(load("ESCMENU", RT_MENU), 949, error);
    ASSERT_TRUE(menu) << error;
    ASSERT_EQ(menu->size(), 3u);
    EXPECT_EQ((*menu)[0].flags, MF_POPUP);
    EXPECT_EQ((*menu)[0].text.substr(0, 4), "(&F)");
    EXPECT_EQ((*menu)[2].text, "\xBC\xB3 \xC1\xA4");  // "설 정"
    ASSERT_EQ((*menu)[0].children.size(), 1u);
    EXPECT_EQ((*menu)[0].children[0].id, IDM_ABOUT);
    EXPECT_EQ((*menu)[0].children[0].text, "&About");
    ASSERT_EQ((*menu)[1].children.size(), 3u);
    EXPECT_EQ((*menu)[1].children[0].flags, MF_CHECKED);
    EXPECT_EQ((*menu)[1].children[1].id, 0);  // the separator
    EXPECT_EQ((*menu)[1].children[2].id, 305);
    EXPECT_EQ((*menu)[2].children[0].text, "&Internet  Directory");
}

TEST(Resources, AreFoundByNameWithoutRegardToCaseOrByNumber) {
    struct Case {
        LPCSTR name;
        LPCSTR type;
        bool found;
        DWORD error;
    } cases[] = {
        {"execpath", RT_DIALOG, true, 0},
        {"ExecPath", RT_DIALOG, true, 0},
        {MAKEINTRESOURCEA(IDD_NUMBERED), RT_DIALOG, true, 0},
        {"#7", RT_DIALOG, true, 0},
        {"#8", RT_DIALOG, false, ERROR_RESOURCE_NAME_NOT_FOUND},
        {"NOSUCH", RT_DIALOG, false, ERROR_RESOURCE_NAME_NOT_FOUND},
        {"EXECPATH", RT_MENU, false, ERROR_RESOURCE_NAME_NOT_FOUND},
        {"EXECPATH", MAKEINTRESOURCEA(99), false, ERROR_RESOURCE_TYPE_NOT_FOUND},
    };
    for (const Case& c : cases) {
        SetLastError(0);
        HRSRC found = FindResourceA(kProgram, c.name, c.type);
        EXPECT_EQ(found != nullptr, c.found);
        if (!c.found) {
            EXPECT_EQ(GetLastError(), c.error);
        }
    }
    EXPECT_EQ(LoadResource(kProgram, reinterpret_cast<HRSRC>(0x1234)), nullptr);
}

TEST(Resources, BitmapIsTheFileWithoutItsFileHeader) {
    std::ifstream in(std::filesystem::path(KIT_SOURCE_DIR) / "platform/rc/art/remocon.bmp", std::ios::binary);
    std::vector<BYTE> file((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    ASSERT_GT(file.size(), 14u);
    for (LPCSTR name : {static_cast<LPCSTR>("remocon"), static_cast<LPCSTR>(MAKEINTRESOURCEA(IDB_PICTURE))}) {
        std::span<const BYTE> data = load(name, RT_BITMAP);
        ASSERT_EQ(data.size(), file.size() - 14);
        EXPECT_TRUE(std::equal(data.begin(), data.end(), file.begin() + 14));
        EXPECT_EQ(dwordAt(data, 0), 40u);
        EXPECT_EQ(wordAt(data, 14), 8);  // bits per pixel
    }
    HBITMAP bitmap = LoadBitmapA(kProgram, "remocon");
    ASSERT_NE(bitmap, nullptr);
    BITMAP info{};
    GetObjectA(bitmap, sizeof info, &info);
    EXPECT_EQ(info.bmWidth, 180);
    EXPECT_EQ(info.bmHeight, 430);
    DeleteObject(bitmap);
    EXPECT_EQ(LoadBitmapA(kProgram, "nosuch"), nullptr);
}

TEST(Resources, IconsDrawWithTheirTransparentParts) {
    HICON icon = LoadIconA(kProgram, "rcv707");
    ASSERT_NE(icon, nullptr);
    EXPECT_EQ(LoadIconA(kProgram, "RCV707"), icon);  // loaded icons are shared
    auto frame = gdi::makeFramebuffer(40, 40, RGB(1, 2, 3));
    HDC dc = gdi::createDc(frame, POINT{0, 0}, gdi::boundsOf(*frame));
    ASSERT_TRUE(DrawIcon(dc, 4, 4, icon));
    EXPECT_EQ(frame->pixel(4, 4), RGB(1, 2, 3));     // a corner outside the drawing stays
    EXPECT_EQ(frame->pixel(4 + 16, 4 + 6), RGB(255, 0, 0));  // the red lamp
    EXPECT_EQ(frame->pixel(39, 39), RGB(1, 2, 3));
    DeleteDC(dc);
    EXPECT_TRUE(DestroyIcon(icon));
    EXPECT_EQ(LoadIconA(kProgram, "nosuch"), nullptr);
    EXPECT_EQ(GetLastError(), DWORD(ERROR_RESOURCE_NAME_NOT_FOUND));
}

TEST(Resources, SystemIconsAndCursorsAreOffered) {
    for (LPCSTR id : {IDI_APPLICATION, IDI_HAND, IDI_EXCLAMATION, IDI_ASTERISK, IDI_QUESTION}) {
        HICON icon = LoadIconA(nullptr, id);
        ASSERT_NE(icon, nullptr);
        auto frame = gdi::makeFramebuffer(32, 32, RGB(1, 2, 3));
        HDC dc = gdi::createDc(frame, POINT{0, 0}, gdi::boundsOf(*frame));
        DrawIcon(dc, 0, 0, icon);
        EXPECT_NE(frame->pixel(16, 16), RGB(1, 2, 3));
        EXPECT_EQ(frame->pixel(0, 0), RGB(1, 2, 3));
        DeleteDC(dc);
    }
    EXPECT_NE(LoadIconA(nullptr, IDI_HAND), LoadIconA(nullptr, IDI_EXCLAMATION));
    EXPECT_EQ(LoadIconA(nullptr, MAKEINTRESOURCEA(5)), nullptr);
    HCURSOR arrow = LoadCursorA(nullptr, IDC_ARROW);
    EXPECT_NE(arrow, nullptr);
    EXPECT_EQ(LoadCursorA(nullptr, IDC_ARROW), arrow);
    EXPECT_NE(LoadCursorA(nullptr, IDC_WAIT), nullptr);
    EXPECT_NE(LoadCursorA(nullptr, IDC_WAIT), arrow);
    EXPECT_EQ(LoadCursorA(nullptr, MAKEINTRESOURCEA(1)), nullptr);
}

}  // namespace
}  // namespace platform::rc
