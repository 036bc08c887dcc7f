// Dialog templates, the menu and the string table of the window, held as data. Positions and
// sizes are in dialog units; the window turns them into pixels through its font's base units.
// Texts are UTF-8.
#pragma once

#include <span>

enum class ControlKind {
    PushButton,
    CheckBox,  // toggles itself when clicked
    Edit,
    Label,
    CaptionLabel,  // a heading label in its own font and colours (see kCaptionLabelStyle)
    GroupBox,      // a frame without caption
    ListView,      // report mode: columns with headings
    ComboBox,      // edit field with drop-down list
    Icon,          // the application icon at its natural size
};

enum ControlStyle : unsigned {
    kStyleNone = 0,
    kHidden = 1u << 0,
    kDisabled = 1u << 1,
    kReadOnly = 1u << 2,
    kCentred = 1u << 3,
    kFlat = 1u << 4,
    kDefaultButton = 1u << 5,
    kBorder = 1u << 6,
    kVScroll = 1u << 7,
    kAutoHScroll = 1u << 8,
};

// A control without an ID of its own (label, frame, icon).
inline constexpr int kNoId = -1;

struct ControlTemplate {
    int id;
    ControlKind kind;
    const char* text;
    int x, y, width, height;
    unsigned style;
    int maxLength = 0;  // edits: the most characters the field takes, 0 for no limit
};

// Font and colours of the caption labels (Forms label: Tahoma 285 twips, black on 240/240/240).
struct CaptionLabelStyle {
    const char* family;
    double pointSize;
    unsigned textRgb;
    unsigned backRgb;
};
inline constexpr CaptionLabelStyle kCaptionLabelStyle{"Tahoma", 14.25, 0x000000, 0xF0F0F0};

enum WindowStyle : unsigned {
    kWindowNone = 0,
    kSystemMenu = 1u << 0,
    kMinimizeBox = 1u << 1,
    kFixedBorder = 1u << 2,
    kModalFrame = 1u << 3,
};

struct DialogTemplate {
    int id;
    const char* title;
    int width, height;  // client area
    const char* fontFamily;
    int pointSize;
    unsigned style;
    int menuId;  // 0 for none
    std::span<const ControlTemplate> controls;
};

struct MenuItemTemplate {
    const char* text;
    int command;
};

struct MenuPopupTemplate {
    const char* text;
    std::span<const MenuItemTemplate> items;
};

struct MenuTemplate {
    int id;
    std::span<const MenuPopupTemplate> popups;
};

// Null when there is no such template or menu.
const DialogTemplate* FindDialogTemplate(int id);
const MenuTemplate* FindMenu(int id);
// The text of a string resource; empty when there is none.
const char* LoadResString(int id);
