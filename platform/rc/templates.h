// Dialog and menu templates read back from their binary layout, with their texts in the PC's
// code page, for the window layer that makes dialogs and menus from them.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "rc/resource_id.h"
#include "win/types.h"

namespace platform::rc {

// A name-or-number field: a class, a menu, a control's text or icon.
struct TemplateField {
    bool present = false;  // false: the field was empty
    bool isNumber = false;
    std::uint16_t number = 0;
    std::string text;  // in the PC's code page
};

struct DialogItem {
    DWORD style = 0;
    DWORD exStyle = 0;
    DWORD helpId = 0;
    short x = 0, y = 0, cx = 0, cy = 0;
    int id = 0;  // sign-extended from the 16 bits of a DIALOG item
    TemplateField windowClass;  // number: 0x80 button, 0x81 edit, 0x82 static, 0x83 list box, ...
    TemplateField text;
    std::vector<BYTE> creationData;
};

struct DialogTemplate {
    bool extended = false;
    DWORD style = 0;
    DWORD exStyle = 0;
    DWORD helpId = 0;
    short x = 0, y = 0, cx = 0, cy = 0;
    TemplateField menu;
    TemplateField windowClass;
    std::string title;
    bool hasFont = false;  // DS_SETFONT
    WORD pointSize = 0;
    WORD weight = 0;
    bool italic = false;
    BYTE charSet = 0;
    std::string face;
    std::vector<DialogItem> items;
};

// Reads a DLGTEMPLATE or DLGTEMPLATEEX; std::nullopt and ERROR when the data is cut short or
// malformed.
std::optional<DialogTemplate> parseDialogTemplate(std::span<const BYTE> data, int codePage, std::string& error);

struct MenuTemplateItem {
    WORD flags = 0;  // MF_* without MF_END
    WORD id = 0;
    std::string text;
    std::vector<MenuTemplateItem> children;  // for MF_POPUP
};

std::optional<std::vector<MenuTemplateItem>> parseMenuTemplate(std::span<const BYTE> data, int codePage,
                                                              std::string& error);

// UTF-16 text to the PC's code page; characters it lacks become '?'.
std::string fromUtf16(std::u16string_view text, int codePage);

}  // namespace platform::rc
